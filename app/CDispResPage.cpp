#include "app/CDispResPage.h"

#include "platform/DataExchange.h"
#include "res/ControlIds.h"

#include <QCoreApplication>
#include <algorithm>

#include <QComboBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

CDispResPage::CDispResPage() : PropertyPage(QCoreApplication::translate("CDispResPage", "残基")) {
    list_ = new QListWidget(this);
    list_->setObjectName(QString::number(ControlIds::kResidueList));
    list_->setViewMode(QListView::ListMode);
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(true);
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    const char* texts[3] = {QT_TRANSLATE_NOOP("CDispResPage", "表示"),
                            QT_TRANSLATE_NOOP("CDispResPage", "非表示"),
                            QT_TRANSLATE_NOOP("CDispResPage", "全表示")};
    auto* radios = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        modes_[i] = new QRadioButton(QCoreApplication::translate("CDispResPage", texts[i]), this);
        modes_[i]->setObjectName(QString::number(ControlIds::kResidueModeFirst + i));
        radios->addWidget(modes_[i]);
    }
    chains_ = new QComboBox(this);
    chains_->setObjectName(QStringLiteral("chainChoice"));
    chains_->setToolTip(QCoreApplication::translate("CDispResPage", "チェーンの残基をすべて選択"));
    connect(chains_, qOverload<int>(&QComboBox::activated), this, &CDispResPage::SelectChain);
    radios->addWidget(chains_);
    radios->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(radios);
}

void CDispResPage::OnInitDialog() {
    // One item a labelled residue, in residue order; each remembers its
    // residue index.
    chains_->clear();
    chains_->addItem(QCoreApplication::translate("CDispResPage", "チェーンで選択"));
    for (const auto& [index, label] : residueLabels) {
        if (label.empty())
            continue;
        const std::string chain = index >= 0 && index < static_cast<int>(residueChains.size())
                                      ? residueChains[static_cast<std::size_t>(index)]
                                      : std::string();
        auto* item = new QListWidgetItem(
            QString::fromStdString(chain.empty() ? label : chain + ":" + label), list_);
        item->setData(Qt::UserRole, index);
        item->setData(Qt::UserRole + 1, QString::fromStdString(chain));
        if (!chain.empty() && chains_->findText(QString::fromStdString(chain)) < 0)
            chains_->addItem(QString::fromStdString(chain));
    }
    chains_->setEnabled(chains_->count() > 1);
    for (int i = 0; i < list_->count(); ++i) {
        QListWidgetItem* item = list_->item(i);
        const int index = item->data(Qt::UserRole).toInt();
        if (std::find(selectedResidues.begin(), selectedResidues.end(), index) !=
            selectedResidues.end()) {
            item->setSelected(true);
            list_->setCurrentItem(item, QItemSelectionModel::NoUpdate);
        }
    }
    DoDataExchange(false);
}

bool CDispResPage::DoDataExchange(bool save) {
    DataExchange::Radio(save, modes_, 3, displayMode);
    return true;
}

void CDispResPage::OnDestroy() {
    selectedResidues.clear();
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->isSelected())
            selectedResidues.push_back(list_->item(i)->data(Qt::UserRole).toInt());
    }
    std::sort(selectedResidues.begin(), selectedResidues.end());
}

void CDispResPage::SelectChain(int index) {
    if (index <= 0)
        return;
    const QString chain = chains_->itemText(index);
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->data(Qt::UserRole + 1).toString() == chain)
            list_->item(i)->setSelected(true);
    }
}
