#include "frmSetupWaktu.h"

frmSetupWaktu::frmSetupWaktu(QWidget *parent)
    : QDialog(parent) {}

frmSetupWaktu::~frmSetupWaktu() = default;
