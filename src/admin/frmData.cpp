#include "admin/frmData.h"

#include "admin/frmSetupGroup.h"
#include "admin/frmSetupPengguna.h"
#include "admin/lists.h"
#include "common/fill.h"
#include "common/reportlist.h"
#include "common/twips.h"
#include "core/busy.h"
#include "core/messages.h"
#include "core/program.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

int px(const QWidget *w, int twips) {
    return common::twipsToPixels(twips, w->logicalDpiX());
}

int tw(const QWidget *w, int pixels) {
    const int dpi = w->logicalDpiX() > 0 ? w->logicalDpiX() : 96;
    return pixels * 1440 / dpi;
}

} // namespace

frmData::frmData(QWidget *parent)
    : QWidget(parent)
    , ListView1(new common::ReportList(this))
    , lblJudul(new QLabel(this))
    , lblJumlah(new QLabel(this))
    , cmdCetak(new QPushButton(QStringLiteral("TAMBAH"), this))
    , cmdFilter(new QPushButton(QStringLiteral("EDIT"), this))
    , cmdKeluar(new QPushButton(QStringLiteral("KELUAR"), this))
    , txtCari(new QLineEdit(this))
    , cmdCari(new QPushButton(QStringLiteral("CARI"), this))
    , Shape1(new QFrame(this)) {
    ListView1->setObjectName(QStringLiteral("ListView1"));
    lblJudul->setObjectName(QStringLiteral("lblJudul"));
    lblJumlah->setObjectName(QStringLiteral("lblJumlah"));
    cmdCetak->setObjectName(QStringLiteral("cmdCetak"));
    cmdFilter->setObjectName(QStringLiteral("cmdFilter"));
    cmdKeluar->setObjectName(QStringLiteral("cmdKeluar"));
    txtCari->setObjectName(QStringLiteral("txtCari"));
    cmdCari->setObjectName(QStringLiteral("cmdCari"));
    Shape1->setObjectName(QStringLiteral("Shape1"));
    setWindowTitle(core::appTitle());

    Shape1->setAutoFillBackground(true);
    Shape1->setStyleSheet(QStringLiteral("background-color: rgb(0, 64, 128);"));
    Shape1->setGeometry(0, 0, px(this, 12000), px(this, 600));
    Shape1->lower();
    QFont title = lblJudul->font();
    title.setBold(true);
    title.setPointSize(title.pointSize() + 4);
    lblJudul->setFont(title);
    lblJudul->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    lblJudul->move(px(this, 4000), px(this, 120));
    ListView1->move(px(this, 60), px(this, 700));
    ListView1->setHeaderSorting(true);
    for (QPushButton *b : {cmdCetak, cmdFilter, cmdKeluar, cmdCari}) {
        b->resize(px(this, 1150), px(this, 450));
        b->setAutoDefault(true); // Enter presses the focused button
    }
    txtCari->resize(px(this, 2500), px(this, 350));
    txtCari->installEventFilter(this);
    txtCari->setMaxLength(50);
    resize(px(this, 12000), px(this, 7000));
    setMinimumSize(px(this, 4000), px(this, 2500));

    connect(cmdCetak, &QPushButton::clicked, this, &frmData::cmdCetak_Click);
    connect(cmdFilter, &QPushButton::clicked, this, &frmData::cmdFilter_Click);
    connect(cmdKeluar, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdCari, &QPushButton::clicked, this, &frmData::cmdCari_Click);
    connect(txtCari, &QLineEdit::returnPressed, this, &frmData::cmdCari_Click);
    connect(txtCari, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (text.contains(QLatin1Char('\''))) {
            QString t = text;
            t.remove(QLatin1Char('\''));
            txtCari->setText(t);
        }
    });
    connect(ListView1, &common::ReportList::listDoubleClicked, this, &frmData::ListView1_DblClick);
}

frmData::~frmData() = default;

void frmData::closeEvent(QCloseEvent *event) {
    core::deleteTempFiles();
    QWidget::closeEvent(event);
}

void frmData::showEvent(QShowEvent *event) {
    if (!loaded_) {
        loaded_ = true;
        load();
    }
    QWidget::showEvent(event);
}

void frmData::load() {
    const admin::ListMode mode = admin::listMode(view);
    lblJudul->setText(mode.title);
    lblJudul->adjustSize();
    countLabel_ = mode.countLabel;
    txtCari->hide();
    cmdCari->hide();
    cmdCetak->setVisible(!mode.addCaption.isEmpty());
    cmdFilter->setVisible(!mode.editCaption.isEmpty());
    if (!mode.addCaption.isEmpty())
        cmdCetak->setText(mode.addCaption);
    if (!mode.editCaption.isEmpty())
        cmdFilter->setText(mode.editCaption);
    ListView1->setColumns(mode.columns);
    fill();
    layoutControls();
    ListView1->setFocus();
}

void frmData::fill() {
    db::Fill rows;
    {
        core::BusyCursor busy;
        rows = admin::listRows(view);
    }
    ListView1->setRows(std::move(rows.rows));
    lblJumlah->setText(countLabel_ + QString::number(ListView1->rowCount()));
    lblJumlah->adjustSize();
    common::reportFillFailure(rows.failure);
}

void frmData::DataGroup() {
    fill();
}

void frmData::DataPengguna() {
    fill();
}

void frmData::DataLogLogin() {
    fill();
}

void frmData::DataLogPassword() {
    fill();
}

QString frmData::selectedSubItem(int sub) const {
    if (ListView1->rowCount() == 0)
        return {};
    const int row = ListView1->selectedRow();
    return ListView1->subItem(row < 0 ? 0 : row, sub);
}

// Sizes follow the window; a window smaller than the margins keeps sizes at zero.
void frmData::layoutControls() {
    const int W = tw(this, width());
    const int H = tw(this, height());
    Shape1->resize(px(this, W), Shape1->height());
    const int listW = std::max(0, W - 120);
    const int listH = std::max(0, H - 1500);
    ListView1->resize(px(this, listW), px(this, listH));
    const int keluarTop = listH + 600;
    const int keluarLeft = listW - 1400;
    cmdKeluar->move(px(this, keluarLeft), px(this, keluarTop));
    cmdFilter->move(px(this, keluarLeft - 1200), px(this, keluarTop));
    cmdCetak->move(px(this, keluarLeft - 2400), px(this, keluarTop));
    cmdCari->move(cmdCari->x(), px(this, keluarTop + 50));
    txtCari->move(txtCari->x(), px(this, keluarTop + 50));
    lblJumlah->move(px(this, 120), px(this, keluarTop + tw(this, cmdKeluar->height()) / 2 - 50));
    lblJudul->move(px(this, int(W / 2.6)), lblJudul->y());
}

void frmData::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

// Esc closes; Enter presses the focused button, or opens the selected row from the list.
void frmData::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget())) {
            button->click();
            return;
        }
        if (focusWidget() == ListView1) {
            ListView1_DblClick();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

bool frmData::eventFilter(QObject *watched, QEvent *event) {
    if (watched == txtCari && event->type() == QEvent::FocusIn) {
        txtCari->clear();
        QPalette p = txtCari->palette();
        p.setColor(QPalette::Text, palette().color(QPalette::WindowText));
        txtCari->setPalette(p);
    }
    return QWidget::eventFilter(watched, event);
}

void frmData::cmdCari_Click() {
    if (txtCari->text().size() < 4) {
        msg::information(QStringLiteral("Minimal 4 huruf!"));
        txtCari->setFocus();
    }
}

void frmData::openEditor(const QString &editorView) {
    if (view == QLatin1String("Group")) {
        frmSetupGroup editor(this);
        editor.view = editorView;
        editor.data = this;
        editor.exec();
    } else if (view == QLatin1String("Pengguna")) {
        frmSetupPengguna editor(this);
        editor.view = editorView;
        editor.data = this;
        editor.exec();
    }
}

void frmData::cmdCetak_Click() {
    openEditor(QStringLiteral("tambah"));
}

void frmData::cmdFilter_Click() {
    if (ListView1->rowCount() == 0) {
        msg::information(QStringLiteral("Tidak ada data"));
        return;
    }
    openEditor(QStringLiteral("edit"));
}

void frmData::ListView1_DblClick() {
    if (ListView1->rowCount() == 0) {
        msg::information(QStringLiteral("Tidak ada data"));
        return;
    }
    if (view == QLatin1String("Group") || view == QLatin1String("Pengguna"))
        cmdFilter_Click();
}
