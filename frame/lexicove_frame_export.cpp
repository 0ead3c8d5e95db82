// CLexicoveFrame: Tools > Export..., one of the user's word lists written out as CSV or as
// Anki's notes (CListExporter) to a file the user names in the Export dialog.

#include "db/atomic_file.h"
#include "frame/lexicove_frame.h"
#include "lists/gui/export_dialog.h"

void CLexicoveFrame::ShowExport() {
    CExportDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted) {
        ExportList(dialog.ListNumber(), dialog.Format(), dialog.Path());
    }
}

bool CLexicoveFrame::ExportList(int listNumber, ExportFormat format, const QString& path) {
    CWordList* list = listNumber == LIST_FAVORITES ? &favorites_
                      : listNumber == LIST_STUDY   ? &studyList_
                      : listNumber == LIST_RECENTS ? &recents_
                                                   : nullptr;
    if (list == nullptr || path.isEmpty()) {
        return false;
    }
    const std::string text = CListExporter(database_).Export(*list, format);
    std::string error;
    if (!WriteFileAtomically(path.toStdString(), text.data(), text.size(), &error)) {
        ReportError(QStringLiteral("The list could not be exported: %1")
                        .arg(QString::fromStdString(error)));
        return false;
    }
    if (list->Count() == 0) {
        ReportError(QStringLiteral("The list is empty: %1 holds the header only.").arg(path));
    }
    return true;
}
