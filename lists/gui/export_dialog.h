#pragma once

// CExportDialog: the modal "Export" dialog of Tools > Export...: which word list (Favorites,
// Study List, Recents), which format (CSV for spreadsheets, or Anki's notes) and the file to
// write, typed or chosen with "Browse...". OK is enabled once a file is named. The frame
// writes the file (CListExporter) when the dialog is accepted.

#include <QDialog>

#include "lists/list_exporter.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class CExportDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CExportDialog(QWidget* parent = nullptr);

    // The choices: the list number (LIST_FAVORITES, LIST_STUDY or LIST_RECENTS), the format
    // and the file's path.
    int ListNumber() const;
    ExportFormat Format() const;
    QString Path() const;

    QComboBox* ListBox() const { return list_; }
    QComboBox* FormatBox() const { return format_; }
    QLineEdit* PathEdit() const { return path_; }
    QPushButton* OkButton() const { return ok_; }

  private:
    void Browse();

    QComboBox* list_ = nullptr;
    QComboBox* format_ = nullptr;
    QLineEdit* path_ = nullptr;
    QPushButton* ok_ = nullptr;
};
