#include "options/gui/hot_key_edit.h"

#include <QBoxLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

CHotKeyEdit::CHotKeyEdit(QWidget* parent)
    : QWidget(parent),
      edit_(new QKeySequenceEdit(this)),
      clear_(new QPushButton(QStringLiteral("Clear"), this)),
      note_(new QLabel(this)) {
    edit_->setObjectName(QStringLiteral("hotKeyEdit"));
    edit_->setAccessibleName(QStringLiteral("Hot key"));
    clear_->setObjectName(QStringLiteral("hotKeyClear"));
    clear_->setAutoDefault(false);
    note_->setObjectName(QStringLiteral("hotKeyNote"));
    note_->setWordWrap(true);
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(edit_, &QKeySequenceEdit::editingFinished, this, &CHotKeyEdit::KeepFirstKey);
    connect(clear_, &QPushButton::clicked, edit_, &QKeySequenceEdit::clear);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(edit_, 1);
    row->addWidget(clear_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addWidget(note_);
    // A fixed height from FitNoteTo, not one that follows the width: the dialog's layout,
    // with its columns, underestimates heights that do.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    policy.setHeightForWidth(false);
    note_->setSizePolicy(policy);
}

void CHotKeyEdit::FitNoteTo(int width) {
    // An empty note has no height for any width (-1).
    note_->setMinimumHeight(std::max(note_->heightForWidth(width), 0));
}

void CHotKeyEdit::SetKey(const QKeySequence& key) {
    edit_->setKeySequence(key.isEmpty() ? QKeySequence() : QKeySequence(key[0]));
}

QKeySequence CHotKeyEdit::Key() const {
    const QKeySequence key = edit_->keySequence();
    return key.isEmpty() ? QKeySequence() : QKeySequence(key[0]);
}

void CHotKeyEdit::SetNote(const QString& note) {
    note_->setText(note);
}

void CHotKeyEdit::KeepFirstKey() {
    if (edit_->keySequence().count() > 1) {
        SetKey(edit_->keySequence());
    }
}
