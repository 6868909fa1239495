#include "frmSetupBarang.h"

frmSetupBarang::frmSetupBarang(QWidget *parent)
    : QDialog(parent) {}

frmSetupBarang::~frmSetupBarang() = default;
