#include "options/random_word_source.h"

#include "db/data_file.h"
#include "db/dictionary_database.h"
#include "db/word_index.h"
#include "speech/path_text.h"

namespace {

// Characters of a UTF-8 text: every byte that does not continue a sequence starts one.
size_t Utf8Characters(const std::string& text) {
    size_t count = 0;
    for (unsigned char byte : text) {
        if ((byte & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

}  // namespace

CRandomWordSource::CRandomWordSource(CDictionaryDatabase* database) : database_(database) {}

CRandomWordSource::~CRandomWordSource() {
    Close();
}

void CRandomWordSource::Close() {
    index_ = nullptr;
    listIndex_.reset();  // the index reads the file: it goes first
    file_.reset();
}

bool CRandomWordSource::Open(const std::string& folder, const std::u16string& name) {
    Close();
    if (name.empty()) {
        index_ = database_->LookupIndex();
        return index_ != nullptr;
    }
    // A stored name names a file of the program folder, nothing above or below it.
    if (name.find(u'/') != name.npos || name.find(u'\0') != name.npos) {
        return false;
    }
    if (Utf8Characters(folder) + name.size() > WORD_LIST_PATH_MAX) {
        return false;
    }
    std::string path = folder + PathToUtf8(name);
    auto file = std::make_unique<CDataFile>();
    if (!file->OpenRead(path.c_str())) {
        return false;
    }
    auto index = std::make_unique<CLookupIndex>(file.get(), 0, true);
    if (index->Status() != INDEX_OK) {
        return false;  // index, then file, released here
    }
    file_ = std::move(file);
    listIndex_ = std::move(index);
    index_ = listIndex_.get();
    return true;
}

bool CRandomWordSource::Draw(std::string* word) {
    if (index_ == nullptr) {
        return false;
    }
    char buffer[RANDOM_WORD_BUFFER_SIZE] = {};
    if (!database_->RandomWord(buffer, index_) || buffer[0] == '\0') {
        return false;
    }
    *word = buffer;
    return true;
}
