#include "app/CPropPDBPage.h"

#include "platform/DataExchange.h"
#include "res/ControlIds.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QVBoxLayout>

CPropPDBPage::CPropPDBPage() : PropertyPage(QStringLiteral("PDB")) {
    conectBox_ =
        new QCheckBox(QCoreApplication::translate("CPropPDBPage", "CONNECT情報を使用"), this);
    conectBox_->setObjectName(QString::number(ControlIds::kUseConect));
    fastListBox_ = new QCheckBox(
        QCoreApplication::translate("CPropPDBPage", "タンパク用高速結合リスト"), this);
    fastListBox_->setObjectName(QString::number(ControlIds::kFastProteinList));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(conectBox_);
    layout->addWidget(fastListBox_);
    layout->addStretch();
}

bool CPropPDBPage::DoDataExchange(bool save) {
    DataExchange::Check(save, conectBox_, useConect);
    DataExchange::Check(save, fastListBox_, fastProteinList);
    return true;
}
