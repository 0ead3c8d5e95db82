#include "render/render_worker.h"

#include <chrono>
#include <climits>
#include <cstring>
#include <new>
#include <string_view>
#include <system_error>

#include "db/dictionary_database.h"
#include "render/html_display.h"
#include "render/render_sink.h"

namespace {

constexpr char kPageHeader[] =
    "<html><head><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
    "charset=ISO-8859-1\"></head><body topmargin=4 leftmargin=4 rightmargin=4 bgcolor=#FFFFFF>";
constexpr char kPageFooter[] = "</body></html>\r\n";

constexpr char kPronunciationStart[] =
    "<a href=\":pron\"><img src=pron.gif border=0></a>&nbsp;<font color=#800080><font "
    "face=\"SILSophiaIPA\">";
constexpr char kPronunciationColon[] = "</font>:<font face=\"SILSophiaIPA\">";
constexpr char kPronunciationEnd[] = "</font></font><br><img src=pixel.gif width=1 height=4><br>";

constexpr char kNotesStart[] = "<table cellspacing=4>";
constexpr char kNoteRowStart[] = "<tr><td valign=top><b><small><sup><font color=#808080>";
constexpr char kNoteRowMiddle[] = "</font></sup></small></b></td><td><small><font color=#808080>";
constexpr char kNoteRowEnd[] = "</font></small></td></tr>";
constexpr char kNotesEnd[] = "</table>";

constexpr char kThreadFailed[] = "Failed to create new thread to render the definition.";

constexpr size_t kPieceSize = 256;

// Room kept free after the page's text at every append, so that a page cut short for lack of
// memory can still be closed (its open elements and the footer) without growing.
constexpr size_t kPageReserve = 512;
constexpr int kMaxOpenElements = 32;

constexpr size_t Length(const char* text) {
    return std::char_traits<char>::length(text);
}

void SleepFor(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// The entry index after the colon of a page text, read as atoi does (leading blanks, a
// sign, digits up to the first other byte; none give 0), held to the range of an int.
int ParseEntryIndex(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) {
        ++text;
    }
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value <= INT_MAX) {
            value = value * 10 + (*text - '0');
        }
    }
    value = negative ? -value : value;
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// The closing tags for the elements left open in html, innermost first. Only the elements
// the renderer and the page frame open are tracked; the others are void or close themselves.
void ClosingTags(const char* html, size_t length, char* out, size_t room) {
    static const char* const kTracked[] = {"a",   "b",     "font", "i",  "ol", "small",
                                           "sup", "table", "td",   "tr", "ul"};
    const char* open[kMaxOpenElements];
    int depth = 0;
    const char* end = html + length;
    for (const char* p = html; p < end; ++p) {
        if (*p != '<') {
            continue;
        }
        const char* q = p + 1;
        bool closing = q < end && *q == '/';
        if (closing) {
            ++q;
        }
        char name[8];
        size_t n = 0;
        while (q < end && n + 1 < sizeof name &&
               ((*q >= 'a' && *q <= 'z') || (*q >= 'A' && *q <= 'Z'))) {
            name[n++] = static_cast<char>(*q >= 'A' && *q <= 'Z' ? *q - 'A' + 'a' : *q);
            ++q;
        }
        name[n] = '\0';
        const char* tracked = nullptr;
        for (const char* t : kTracked) {
            if (std::strcmp(t, name) == 0 && (q >= end || *q == '>' || *q == ' ')) {
                tracked = t;
            }
        }
        if (tracked != nullptr && !closing && depth < kMaxOpenElements) {
            open[depth++] = tracked;
        } else if (tracked != nullptr && closing) {
            for (int k = depth - 1; k >= 0; --k) {
                if (open[k] == tracked) {
                    depth = k;
                    break;
                }
            }
        }
    }
    size_t used = 0;
    out[0] = '\0';
    for (int k = depth - 1; k >= 0; --k) {
        size_t n = std::strlen(open[k]) + 3;
        if (used + n + 1 > room) {
            break;
        }
        std::memcpy(out + used, "</", 2);
        std::memcpy(out + used + 2, open[k], n - 3);
        out[used + n - 1] = '>';
        used += n;
        out[used] = '\0';
    }
}

}  // namespace

CRenderWorker::CRenderWorker(CDictionaryDatabase* database, bool useThread)
    : database_(database), useThread_(useThread), sleep_(SleepFor) {}

CRenderWorker::~CRenderWorker() {
    cancel_.store(1);
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool CRenderWorker::DisplayAlive() const {
    return display_ != nullptr && display_->IsWindow();
}

bool CRenderWorker::RenderWord(const char* text, uint32_t number) {
    if (number == 0 || IsBusy() || text == nullptr || text[0] == '\0') {
        return false;
    }
    busy_.store(1);
    cancel_.store(0);
    wordNumber_ = number;
    KeepCurrentWord(text);

    size_t length = std::strlen(text);
    std::unique_ptr<char[]> copy(new (std::nothrow) char[length + 1]);
    if (!copy) {
        busy_.store(0);
        return false;
    }
    std::memcpy(copy.get(), text, length + 1);
    int entryIndex = 0;
    if (char* colon = std::strchr(copy.get(), ':')) {
        *colon = '\0';
        entryIndex = ParseEntryIndex(colon + 1);
    }
    RenderSinkProc(this, nullptr, -1, RENDER_BEGIN);
    // A word without entry references still gives a page: header and footer.
    database_->RenderEntry(RenderSinkProc, this, copy.get(), number, entryIndex);
    RenderSinkProc(this, nullptr, -1, RENDER_END);
    if (!DisplayAlive()) {
        busy_.store(0);  // nothing was handed over
    }
    return true;
}

bool CRenderWorker::RerenderWord() {
    if (!currentWord_) {
        return false;
    }
    return RenderWord(currentWord_.get(), wordNumber_);
}

bool CRenderWorker::KeepCurrentWord(const char* text) {
    if (currentWord_ && std::strcmp(currentWord_.get(), text) == 0) {
        return true;
    }
    size_t length = std::strlen(text);
    std::unique_ptr<char[]> copy(new (std::nothrow) char[length + 1]);
    if (!copy) {
        return false;
    }
    std::memcpy(copy.get(), text, length + 1);
    currentWord_ = std::move(copy);
    return true;
}

int CRenderWorker::RenderSinkProc(void* context, const char* text, int length, int kind) {
    auto* worker = static_cast<CRenderWorker*>(context);
    if (!worker->DisplayAlive()) {
        return 0;
    }
    size_t size = text == nullptr ? 0 : length < 0 ? std::strlen(text) : size_t(length);
    switch (kind) {
        case RENDER_BEGIN:
            worker->BeginPage();
            return 1;
        case RENDER_HTML:
            worker->AppendPage(text, size);
            return 1;
        case RENDER_NOTE:
            return text == nullptr ? -1 : worker->notes_.Add(text, length);
        case RENDER_PRONUNCIATION:
            worker->AppendPronunciation(text, size);
            return 1;
        case RENDER_END:
            worker->EndPage();
            return 1;
        default:
            return 0;
    }
}

void CRenderWorker::BeginPage() {
    display_->Clear();
    page_.Reset();
    notes_.Clear();
    pageCut_ = false;
    AppendPage(kPageHeader, Length(kPageHeader));
    bodyStart_ = page_.Length();
}

void CRenderWorker::EndPage() {
    if (notes_.Count() > 0) {
        AppendNotesTable();
    }
    ClosePage();
    StartTransfer();
}

bool CRenderWorker::ReservePage(size_t total) {
    if (pageCut_) {
        return false;
    }
    if (!page_.Ensure(total + kPageReserve)) {
        pageCut_ = true;
        return false;
    }
    return true;
}

void CRenderWorker::AppendPage(const char* text, size_t length) {
    if (ReservePage(length) && length > 0) {
        page_.Append(text, length);
    }
}

void CRenderWorker::AppendPronunciation(const char* text, size_t length) {
    if (text == nullptr) {
        return;
    }
    size_t colons = 0;
    for (size_t i = 0; i < length; ++i) {
        colons += text[i] == ':';
    }
    // The block goes in whole or not at all.
    size_t total = Length(kPronunciationStart) + length +
                   colons * (Length(kPronunciationColon) - 1) + Length(kPronunciationEnd);
    if (!ReservePage(total)) {
        return;
    }
    page_.Append(kPronunciationStart, Length(kPronunciationStart));
    size_t run = 0;
    for (size_t i = 0; i <= length; ++i) {
        if (i == length || text[i] == ':') {
            if (i > run) {
                page_.Append(text + run, i - run);
            }
            if (i < length) {
                page_.Append(kPronunciationColon, Length(kPronunciationColon));
            }
            run = i + 1;
        }
    }
    page_.Append(kPronunciationEnd, Length(kPronunciationEnd));
}

void CRenderWorker::AppendNotesTable() {
    int count = notes_.Count();
    size_t total = Length(kNotesStart) + Length(kNotesEnd);
    for (int i = 0; i < count; ++i) {
        total += Length(kNoteRowStart) + 1 + Length(kNoteRowMiddle) + std::strlen(notes_.At(i)) +
                 Length(kNoteRowEnd);
    }
    if (!ReservePage(total)) {
        return;  // the table goes in whole or not at all
    }
    page_.Append(kNotesStart, Length(kNotesStart));
    for (int i = 0; i < count; ++i) {
        char number = static_cast<char>('1' + i);
        page_.Append(kNoteRowStart, Length(kNoteRowStart));
        page_.Append(&number, 1);
        page_.Append(kNoteRowMiddle, Length(kNoteRowMiddle));
        page_.Append(notes_.At(i));
        page_.Append(kNoteRowEnd, Length(kNoteRowEnd));
    }
    page_.Append(kNotesEnd, Length(kNotesEnd));
}

void CRenderWorker::ClosePage() {
    if (page_.Length() == 0) {
        return;  // not even the header could be stored: nothing to hand over
    }
    // Every successful append left kPageReserve bytes free, so these fit without growing.
    if (pageCut_) {
        char closers[kPageReserve - sizeof kPageFooter];
        ClosingTags(page_.Data() + bodyStart_, page_.Length() - bodyStart_, closers,
                    sizeof closers);
        page_.Append(closers);
    }
    page_.Append(kPageFooter, Length(kPageFooter));
}

void CRenderWorker::StartTransfer() {
    if (page_.Length() == 0) {
        busy_.store(0);
        return;
    }
    if (!useThread_) {
        display_->PostAddText(page_.Data());
        display_->PostEndOfSource();
        busy_.store(0);
        return;
    }
    if (thread_.joinable()) {
        thread_.join();  // the previous transfer has cleared busy and is ending
    }
    try {
        thread_ = std::thread(TransferThreadProc, this);
    } catch (const std::system_error&) {
        busy_.store(0);
        display_->ShowError(kThreadFailed);
    }
}

void CRenderWorker::SendPiece(const char* at, size_t length) {
    // The piece goes over as its own NUL-terminated copy, so the page itself is only read.
    char piece[kPieceSize + 1];
    std::memcpy(piece, at, length);
    piece[length] = '\0';
    display_->AddText(piece);
    sleep_(1);
}

void CRenderWorker::TransferThreadProc(CRenderWorker* worker) {
    worker->sleep_(20);
    size_t length = worker->page_.Length();
    if (length > 0) {
        worker->page_.ZeroTail();
        const char* data = worker->page_.Data();
        size_t pieces = length / kPieceSize;
        for (size_t k = 0; k < pieces; ++k) {
            worker->SendPiece(data + k * kPieceSize, kPieceSize);
            if (worker->cancel_.load() != 0) {
                break;
            }
        }
        size_t rest = length % kPieceSize;
        if (worker->cancel_.load() == 0 && rest > 0) {
            worker->SendPiece(data + pieces * kPieceSize, rest);
        }
    }
    worker->sleep_(300);
    worker->display_->EndOfSource();
    worker->sleep_(20);
    worker->busy_.store(0);
}
