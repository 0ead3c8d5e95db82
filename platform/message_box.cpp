#include "platform/message_box.h"

#include <QMessageBox>

namespace {

constexpr char kCaption[] = "Lexicove";

}  // namespace

std::unique_ptr<QMessageBox> CreateErrorBox(QWidget* owner, const QString& text) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, QString::fromLatin1(kCaption),
                                             text, QMessageBox::Ok, owner);
    box->setObjectName(QStringLiteral("errorBox"));
    return box;
}

void ShowErrorBox(QWidget* owner, const QString& text) {
    CreateErrorBox(owner, text)->exec();
}
