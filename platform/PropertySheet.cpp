#include "platform/PropertySheet.h"

#include "platform/PropertyPage.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

PropertySheet::PropertySheet(const QString& caption, QWidget* parent)
    : QDialog(parent), tabs_(new QTabWidget(this)) {
    setWindowTitle(caption);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QCoreApplication::translate("PropertySheet", "キャンセル"),
                       QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { OnOK(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == current_ || index < 0)
            return;
        // Leaving a page takes its values; a refused value keeps it open.
        if (current_ >= 0 && !Page(current_)->DoDataExchange(true)) {
            const QSignalBlocker block(tabs_);
            tabs_->setCurrentIndex(current_);
            return;
        }
        ShowPage(index);
    });
}

void PropertySheet::AddPage(PropertyPage* page) {
    pages_.push_back(page);
    const QSignalBlocker block(tabs_);
    tabs_->addTab(page, page->Title());
}

void PropertySheet::ShowPage(int index) {
    current_ = index;
    PropertyPage* page = Page(index);
    if (!page->initialised_) {
        page->initialised_ = true;
        page->OnInitDialog();
    }
}

void PropertySheet::SetActivePage(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size()))
        index = 0;
    const QSignalBlocker block(tabs_);
    tabs_->setCurrentIndex(index);
    ShowPage(index);
}

int PropertySheet::GetActiveIndex() const {
    return current_;
}

bool PropertySheet::OnOK() {
    if (current_ >= 0 && !Page(current_)->DoDataExchange(true))
        return false;
    accept();
    return true;
}

int PropertySheet::DoModal() {
    if (current_ < 0 && !pages_.empty())
        SetActivePage(0);
    const int result = exec();
    for (PropertyPage* page : pages_) {
        if (page->initialised_)
            page->OnDestroy();
    }
    OnDestroy();
    return result;
}
