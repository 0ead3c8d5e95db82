#include "lists/gui/export_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/messages.h"

CExportDialog::CExportDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Export"));
    list_ = new QComboBox(this);
    list_->addItem(QStringLiteral("Favorites"), LIST_FAVORITES);
    list_->addItem(QStringLiteral("Study List"), LIST_STUDY);
    list_->addItem(QStringLiteral("Recents"), LIST_RECENTS);
    format_ = new QComboBox(this);
    format_->addItem(QStringLiteral("CSV (spreadsheets)"), EXPORT_CSV);
    format_->addItem(QStringLiteral("Anki notes"), EXPORT_ANKI);
    path_ = new QLineEdit(this);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    connect(browse, &QPushButton::clicked, this, &CExportDialog::Browse);
    auto* file = new QHBoxLayout;
    file->addWidget(path_, 1);
    file->addWidget(browse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setEnabled(false);
    connect(path_, &QLineEdit::textChanged, this,
            [this](const QString& text) { ok_->setEnabled(!text.trimmed().isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("List:"), list_);
    form->addRow(QStringLiteral("Format:"), format_);
    form->addRow(QStringLiteral("File:"), file);
    form->addRow(buttons);
}

int CExportDialog::ListNumber() const {
    return list_->currentData().toInt();
}

ExportFormat CExportDialog::Format() const {
    return static_cast<ExportFormat>(format_->currentData().toInt());
}

QString CExportDialog::Path() const {
    return path_->text().trimmed();
}

void CExportDialog::Browse() {
    const bool csv = Format() == EXPORT_CSV;
    const QString name = list_->currentText().remove(QLatin1Char(' ')) +
                         (csv ? QStringLiteral(".csv") : QStringLiteral(".txt"));
    const QString chosen = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export"), QDir::home().filePath(name),
        csv ? QStringLiteral("CSV files (*.csv)") : QStringLiteral("Text files (*.txt)"));
    if (!chosen.isEmpty()) {
        path_->setText(chosen);
    }
}
