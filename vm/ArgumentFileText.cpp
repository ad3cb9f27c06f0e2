#include "vm/ArgumentFileText.h"

namespace tarn {
namespace {

// The states of the java command's own reader (args.c), whose quirks are kept: a comment that
// starts inside a word drops the word's unquoted text but keeps its quoted pieces for the next
// word, and a quote left open at a line end ends the word there.
enum class State { FindNext, InComment, InQuote, InEscape, SkipLeadSpace, InToken };

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\f'; }
bool IsLineEnd(char ch) { return ch == '\n' || ch == '\r'; }

// A piece as the C strings of that reader hold it: up to its first NUL.
std::string Piece(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

char Escaped(char ch) {
    switch (ch) {
        case 'n': return '\n';
        case 'r': return '\r';
        case 't': return '\t';
        case 'f': return '\f';
        default: return ch;
    }
}

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    NarrowStringList Words() {
        NarrowStringList words;
        std::string word;
        while (Next(word)) words.push_back(word);
        // A word that the end of the text cut off, as long as anything of it was collected.
        if ((state_ == State::InToken || state_ == State::InQuote) && pieces_ != 0) words.push_back(parts_);
        return words;
    }

private:
    void Add(size_t from, size_t to) { Add(text_.substr(from, to - from)); }
    void Add(std::string_view piece) {
        parts_ += Piece(piece);
        ++pieces_;
    }
    std::string TakeParts() {
        std::string word;
        word.swap(parts_);
        pieces_ = 0;
        return word;
    }

    // Skips characters while skip(ch) holds; false when the text ends first.
    template <typename Skip>
    bool SkipWhile(size_t& at, Skip skip) {
        while (skip(text_[at])) {
            if (++at >= text_.size()) return false;
        }
        return true;
    }

    bool Next(std::string& word);
    void Special(char ch, size_t at, size_t& anchor);

    std::string_view text_;
    size_t position_ = 0;
    State state_ = State::FindNext;
    char quote_ = '"';
    std::string parts_;  // the pieces of the current word so far
    size_t pieces_ = 0;  // how many, empty ones included
};

// '#' outside quotes, a backslash inside them, and the quotes themselves.
void Reader::Special(char ch, size_t at, size_t& anchor) {
    if (ch == '#' && state_ != State::InQuote) {
        state_ = State::InComment;
        anchor = at + 1;
    } else if (ch == '\\' && state_ == State::InQuote) {
        Add(anchor, at);
        state_ = State::InEscape;
        anchor = at + 1;
    } else if ((ch == '\'' || ch == '"') && !(state_ == State::InQuote && quote_ != ch)) {
        if (anchor != at) Add(anchor, at);
        anchor = at + 1;
        if (state_ == State::InToken) quote_ = ch;
        state_ = state_ == State::InToken ? State::InQuote : State::InToken;
    }
}

bool Reader::Next(std::string& word) {
    size_t at = position_;
    size_t anchor = at;
    for (; at < text_.size(); ++at) {
        if (state_ == State::FindNext || state_ == State::SkipLeadSpace) {
            if (!SkipWhile(at, [](char ch) { return IsBlank(ch) || IsLineEnd(ch); })) return false;
            state_ = state_ == State::FindNext ? State::InToken : State::InQuote;
            anchor = at;
        } else if (state_ == State::InEscape) {
            // A backslash before a line end joins the lines; before anything else it escapes it.
            if (IsLineEnd(text_[at])) {
                state_ = State::SkipLeadSpace;
            } else {
                const char escaped = Escaped(text_[at]);
                Add(std::string_view(&escaped, 1));
                state_ = State::InQuote;
            }
            anchor = at + 1;
            continue;
        } else if (state_ == State::InComment) {
            if (!SkipWhile(at, [](char ch) { return !IsLineEnd(ch); })) return false;
            anchor = at + 1;
            state_ = State::FindNext;
            continue;
        }
        const char ch = text_[at];
        if (IsBlank(ch) && state_ == State::InQuote) continue;
        if (IsBlank(ch) || IsLineEnd(ch)) {
            if (pieces_ == 0) {
                word = Piece(text_.substr(anchor, at - anchor));
            } else {
                Add(anchor, at);
                word = TakeParts();
            }
            position_ = at + 1;
            state_ = State::FindNext;
            return true;
        }
        Special(ch, at, anchor);
    }
    if ((state_ == State::InToken || state_ == State::InQuote) && anchor < at) Add(anchor, at);
    position_ = at;
    return false;
}

}  // namespace

NarrowStringList ParseArgumentFile(std::string_view text) { return Reader(text).Words(); }

bool NamesArgumentFile(WString& word) {
    if (word.size() < 2 || word[0] != L'@') return false;
    word.erase(0, 1);
    return word[0] != L'@';
}

}  // namespace tarn
