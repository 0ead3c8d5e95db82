#pragma once

// CMeaningSearchBox: the input of the Meaning tab, two boxes one above the other: the
// description ("fear of spiders", typed as said, case kept) and an optional pattern of the
// Wildcard language ("*phobia") that narrows the words found. Enter in either box asks for a
// search (searchRequested); the search panel formats and sends it.

#include <QString>
#include <QWidget>

class CContextEdit;
class QFont;

class CMeaningSearchBox : public QWidget {
    Q_OBJECT

  public:
    // Both boxes take at most maxLength characters.
    CMeaningSearchBox(int maxLength, QWidget* parent);

    QString Description() const;
    QString Pattern() const;
    CContextEdit* DescriptionBox() const { return description_; }
    CContextEdit* PatternBox() const { return pattern_; }

    void SetBoxFont(const QFont& font);
    // Places the description box at top and the pattern box below it, each width by height
    // pixels, gap pixels apart.
    void Arrange(int width, int height, int gap);

  signals:
    void searchRequested();

  private:
    CContextEdit* description_;
    CContextEdit* pattern_;
};
