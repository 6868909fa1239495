#include "admin/frmSetupGroup.h"

#include "admin/frmData.h"
#include "common/fill.h"
#include "common/itemfield.h"
#include "common/listexport.h"
#include "common/lostwrite.h"
#include "common/reportlist.h"
#include "common/selectors.h"
#include "common/texts.h"
#include "common/twips.h"
#include "core/busy.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/sql.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kConflict =
    QStringLiteral("Data telah diubah oleh pengguna lain, silakan muat ulang!");

QPushButton *button(QWidget *parent, const char *name, const QString &caption) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(true);
    return b;
}

QLineEdit *lineEdit(QWidget *parent, const char *name, int maxLength) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    return e;
}

} // namespace

frmSetupGroup::frmSetupGroup(QWidget *parent)
    : common::WorkingDialog(parent) {
    setWindowTitle(core::appTitle());
    lblJudul = new QLabel(QStringLiteral("SETUP GROUP AKSES"), this);
    lblJudul->setObjectName(QStringLiteral("lblJudul"));
    QFont bold = lblJudul->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 3);
    lblJudul->setFont(bold);
    auto *lblKet =
        new QLabel(QStringLiteral("Form ini untuk setup level / Group pengguna sistem"), this);

    txtKode = lineEdit(this, "txtKode", 11);
    txtKode->setReadOnly(true);
    txtKode->setStyleSheet(QStringLiteral("background-color: rgb(224, 224, 224);"));
    txtKode->setFocusPolicy(Qt::NoFocus);
    txtNama = lineEdit(this, "txtNama", 100);
    cboJenis = new QComboBox(this);
    cboJenis->setObjectName(QStringLiteral("cboJenis"));
    txtKdJenis = lineEdit(this, "txtKdJenis", 1);
    txtKdJenis->setMaximumWidth(40);
    txtKet = lineEdit(this, "txtKet", 255);
    txtJumlah = lineEdit(this, "txtJumlah", 10);
    txtJumlah->setReadOnly(true);
    txtJumlah->setFocusPolicy(Qt::NoFocus);
    treeview1 = new QTreeWidget(this);
    treeview1->setObjectName(QStringLiteral("treeview1"));
    treeview1->setHeaderHidden(true);
    treeview1->setFrameShape(QFrame::Box);
    ListView1 = new common::ReportList(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    cmdSimpan = button(this, "cmdSimpan", QStringLiteral("SIMPAN"));
    cmdKeluar = button(this, "cmdKeluar", QStringLiteral("KELUAR"));
    cmdCekAll = button(this, "cmdCekAll", QStringLiteral("CEK ALL"));
    cmdExport = button(this, "cmdExport", QStringLiteral("EXPORT"));

    auto *jenis = new QHBoxLayout;
    jenis->addWidget(txtKdJenis);
    jenis->addWidget(cboJenis, 1);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Kode Akses"), txtKode);
    fields->addRow(QStringLiteral("Nama Group"), txtNama);
    fields->addRow(QStringLiteral("Jenis Akses"), jenis);
    fields->addRow(QStringLiteral("Keterangan"), txtKet);
    fields->addRow(QStringLiteral("Jumlah menu"), txtJumlah);
    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(ListView1, 1);
    auto *middle = new QHBoxLayout;
    middle->addLayout(left, 1);
    middle->addWidget(treeview1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdExport);
    buttons->addWidget(cmdCekAll);
    buttons->addStretch(1);
    buttons->addWidget(cmdSimpan);
    buttons->addWidget(cmdKeluar);
    auto *main = new QVBoxLayout(this);
    main->addWidget(lblJudul);
    main->addWidget(lblKet);
    main->addLayout(middle, 1);
    main->addLayout(buttons);
    const int dpi = logicalDpiX();
    setFixedSize(common::twipsToPixels(11000, dpi), common::twipsToPixels(8000, dpi));

    common::pairCodeBox(txtKdJenis, cboJenis);
    connect(cmdSimpan, &QPushButton::clicked, this, &frmSetupGroup::cmdSimpan_Click);
    connect(cmdKeluar, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdCekAll, &QPushButton::clicked, this, &frmSetupGroup::cmdCekAll_Click);
    connect(cmdExport, &QPushButton::clicked, this,
            [this] { common::exportButtonToXls(ListView1); });
    // Esc closes through QDialog's own reject().
}

frmSetupGroup::~frmSetupGroup() = default;

void frmSetupGroup::load() {
    const auto failure = common::FillComponentList(cboJenis, QStringLiteral("03"));
    TabelGroup();
    if (view == QLatin1String("edit") && data) {
        txtKode->setText(data->selectedSubItem(1));
        txtNama->setText(data->selectedSubItem(2));
        txtKdJenis->setText(data->selectedSubItem(3));
        txtKet->setText(data->selectedSubItem(6));
        try {
            loadedRow_ = admin::loadGroup(txtKode->text());
        } catch (const db::Error &) {
            loadedRow_.reset();
        }
    }
    TreeALL();
    if (view == QLatin1String("edit")) {
        DataGroup();
        TreeGroup();
    }
    common::reportFillFailure(failure);
    txtNama->setFocus();
}

void frmSetupGroup::TabelGroup() {
    ListView1->setColumns({{QStringLiteral("0"), 1, common::Left},
                           {QStringLiteral("Menu"), 1, common::Left},
                           {QStringLiteral("Kode"), 900, common::Left},
                           {QStringLiteral("Nama"), 3700, common::Left}});
}

void frmSetupGroup::DataGroup() {
    db::Fill fill = admin::grantedRights(txtKode->text());
    ListView1->setRows(std::move(fill.rows));
    for (int row = 0; row < ListView1->rowCount(); ++row)
        ListView1->setRowBold(row, ListView1->subItem(row, 2).size() == 2);
    txtJumlah->setText(QString::number(ListView1->rowCount()));
    common::reportFillFailure(fill.failure);
}

void frmSetupGroup::TreeALL() {
    treeview1->clear();
    QList<admin::CatalogueRow> rows;
    try {
        rows = admin::catalogueRows();
    } catch (const db::Error &e) {
        common::reportFillFailure(e);
    }
    const QList<admin::TreeNode> nodes = admin::buildRightsTree(rows);
    QList<QTreeWidgetItem *> items;
    items.reserve(nodes.size());
    for (const admin::TreeNode &node : nodes) {
        auto *item = node.parent < 0 ? new QTreeWidgetItem(treeview1)
                                     : new QTreeWidgetItem(items.at(node.parent));
        item->setText(0, node.text);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        if (node.bold) {
            QFont f = item->font(0);
            f.setBold(true);
            item->setFont(0, f);
        }
        items.append(item);
    }
    treeview1->expandAll();
}

void frmSetupGroup::TreeGroup() {
    QSet<QString> granted;
    for (int row = 0; row < ListView1->rowCount(); ++row)
        granted.insert(ListView1->subItem(row, 2));
    for (QTreeWidgetItemIterator it(treeview1); *it; ++it) {
        if (granted.contains(common::GetItemField((*it)->text(0), QStringLiteral("."), 1)))
            (*it)->setCheckState(0, Qt::Checked);
    }
}

void frmSetupGroup::cmdCekAll_Click() {
    for (QTreeWidgetItemIterator it(treeview1); *it; ++it)
        (*it)->setCheckState(0, Qt::Checked);
}

QList<admin::Right> frmSetupGroup::rights() const {
    QList<admin::Right> list;
    for (QTreeWidgetItemIterator it(treeview1); *it; ++it)
        list.append({(*it)->text(0), (*it)->checkState(0) == Qt::Checked});
    return list;
}

void frmSetupGroup::reloadAfterConflict() {
    msg::exclamation(kConflict);
    try {
        loadedRow_ = admin::loadGroup(txtKode->text());
    } catch (const db::Error &) {
        loadedRow_.reset();
    }
    if (loadedRow_) {
        txtNama->setText(loadedRow_->nama);
        txtKdJenis->setText(loadedRow_->akses);
        txtKet->setText(loadedRow_->ket);
    }
    TreeALL();
    DataGroup();
    TreeGroup();
}

void frmSetupGroup::cmdSimpan_Click() {
    const admin::GroupForm form{txtKode->text(), txtNama->text(), cboJenis->currentText(),
                                txtKet->text()};
    if (const auto failure = admin::checkGroup(form)) {
        msg::exclamation(failure->message);
        switch (failure->field) {
        case admin::GroupField::Nama:
            txtNama->setFocus();
            break;
        case admin::GroupField::Jenis:
            cboJenis->setFocus();
            break;
        case admin::GroupField::Ket:
            txtKet->setFocus();
            break;
        }
        return;
    }
    const admin::Stamp stamp{core::CurrentUser().ipAddress, core::CurrentUser().aliasText()};
    const QList<admin::Right> list = rights();
    bool stored = true;
    QString attempted = txtKode->text();
    try {
        core::BusyCursor busy;
        if (view == QLatin1String("tambah"))
            txtKode->setText(admin::createGroup(form, list, stamp, &attempted));
        else
            stored = loadedRow_ && admin::updateGroup(form, *loadedRow_, list, stamp);
    } catch (const db::Error &e) {
        // A lost reply is settled by reading the group back before anything is reported.
        admin::GroupForm written = form;
        written.kode = attempted;
        const auto found = e.isConnectionFailure() ? common::resolveLostWrite([&] {
            return !attempted.isEmpty() && admin::groupStored(written, list);
        })
                                                   : std::optional<bool>(false);
        if (!found || !*found) {
            msg::exclamation(common::text::NotSaved + QLatin1Char('\n') +
                             (found ? e.text() : db::kConnectionMessage));
            return;
        }
        txtKode->setText(attempted);
    }
    if (!stored) {
        reloadAfterConflict();
        return;
    }
    common::ShowSavedMessage();
    if (data)
        data->DataGroup();
    accept();
}
