#include "frame/meaning_search_box.h"

#include <QFont>

#include "ui/context_edit.h"

CMeaningSearchBox::CMeaningSearchBox(int maxLength, QWidget* parent)
    : QWidget(parent), description_(new CContextEdit(this)), pattern_(new CContextEdit(this)) {
    setObjectName(QStringLiteral("meaningBox"));
    description_->setObjectName(QStringLiteral("meaningEdit"));
    description_->setPlaceholderText(QStringLiteral("Describe the word: fear of spiders"));
    pattern_->setObjectName(QStringLiteral("meaningPatternEdit"));
    pattern_->setPlaceholderText(QStringLiteral("Pattern, if any: *phobia"));
    for (CContextEdit* box : {description_, pattern_}) {
        box->setMaxLength(maxLength);
        connect(box, &QLineEdit::returnPressed, this, &CMeaningSearchBox::searchRequested);
    }
    setFocusProxy(description_);
}

QString CMeaningSearchBox::Description() const {
    return description_->text();
}

QString CMeaningSearchBox::Pattern() const {
    return pattern_->text();
}

void CMeaningSearchBox::SetBoxFont(const QFont& font) {
    description_->setFont(font);
    pattern_->setFont(font);
}

void CMeaningSearchBox::Arrange(int width, int height, int gap) {
    description_->setGeometry(0, 0, width, height);
    pattern_->setGeometry(0, height + gap, width, height);
    resize(width, 2 * height + gap);
}
