#include "engine/repeated_word.h"

#include <algorithm>
#include <vector>

// What one more distinct word costs besides its characters: the node, the
// string and a bucket.
constexpr std::size_t BytesPerWord = 96;

void RepeatedWordSearch::Add(std::string_view word)
{
    const std::string text(word);
    if ((from_ && less_(text, *from_)) || (upTo_ && !less_(text, *upTo_)))
        return;
    const auto [at, added] = seen_.try_emplace(text, false);
    if (!added) {
        at->second = true;
        return;
    }
    bytes_ += BytesPerWord + word.size();
    if (bytes_ > budget_)
        DropLaterHalf();
}

// Keeps the words before the middle one in the order; the rest, the middle
// one included, are left for a later pass. One word alone is kept whatever
// its size, so that every pass settles at least one word.
void RepeatedWordSearch::DropLaterHalf()
{
    if (seen_.size() < 2)
        return;
    std::vector<const std::string*> words;
    words.reserve(seen_.size());
    for (const auto& entry : seen_)
        words.push_back(&entry.first);
    const auto middle = words.begin() + static_cast<std::ptrdiff_t>(words.size() / 2);
    std::nth_element(words.begin(), middle, words.end(),
                     [this](const std::string* a, const std::string* b) { return less_(*a, *b); });
    upTo_ = **middle;
    std::erase_if(seen_, [this](const auto& entry) { return !less_(entry.first, *upTo_); });
    bytes_ = 0;
    for (const auto& entry : seen_)
        bytes_ += BytesPerWord + entry.first.size();
}

bool RepeatedWordSearch::EndPass()
{
    const std::string* first = nullptr;
    for (const auto& [word, repeated] : seen_) {
        if (repeated && (!first || less_(word, *first)))
            first = &word;
    }
    if (first) {
        found_ = *first;
        return false;
    }
    seen_.clear();
    bytes_ = 0;
    if (!upTo_)
        return false;
    from_ = std::move(upTo_);
    upTo_.reset();
    return true;
}
