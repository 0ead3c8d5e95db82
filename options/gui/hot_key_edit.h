#pragma once

// CHotKeyEdit: the Options dialog's hot key row: the key (typed into a key sequence box, one
// key with its modifiers), a "Clear" button that turns the hot key off, and below them a note
// on what the desktop made of the key, or how to bind `lexicove --lookup-selection` where the
// desktop offers programs no hot key.

#include <QKeySequence>
#include <QWidget>

class QKeySequenceEdit;
class QLabel;
class QPushButton;

class CHotKeyEdit : public QWidget {
    Q_OBJECT

  public:
    explicit CHotKeyEdit(QWidget* parent = nullptr);

    void SetKey(const QKeySequence& key);
    // The key shown; empty when cleared (the hot key off).
    QKeySequence Key() const;
    void SetNote(const QString& note);

    QKeySequenceEdit* KeyEdit() const { return edit_; }
    QPushButton* ClearButton() const { return clear_; }
    QLabel* Note() const { return note_; }
    // Keeps room for the note's lines when the row is width pixels wide (the note wraps; the
    // dialog is sized once, from the heights its rows ask for).
    void FitNoteTo(int width);

  private:
    // A hot key is one key: a sequence typed on is cut to its first.
    void KeepFirstKey();

    QKeySequenceEdit* edit_;
    QPushButton* clear_;
    QLabel* note_;
};
