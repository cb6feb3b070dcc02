// The first word, in a given order, of those that occur at least twice in a
// stream of words, found in bounded memory: the words are counted once each,
// and when the distinct words outgrow the budget the later half in the order
// is dropped and left to another pass over the same stream. Caller
// autodetection reads its range of the decoded file again for such a pass;
// one pass is enough unless the range holds tens of thousands of different
// words.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

class RepeatedWordSearch {
public:
    // A strict total order on words.
    using Order = std::function<bool(const std::string&, const std::string&)>;
    static constexpr std::size_t DefaultBudget = 4 << 20;

    explicit RepeatedWordSearch(Order less, std::size_t budgetBytes = DefaultBudget)
        : less_(std::move(less)), budget_(budgetBytes) {}

    void Add(std::string_view word);
    // Ends a pass over the stream. True when the same words must be added
    // again for another pass; otherwise Found() holds the answer.
    bool EndPass();
    // The first repeated word in the order; empty for none.
    const std::string& Found() const { return found_; }

private:
    void DropLaterHalf();

    Order less_;
    std::size_t budget_;
    std::unordered_map<std::string, bool> seen_;  // word -> met more than once
    std::size_t bytes_ = 0;                       // about what seen_ takes
    std::optional<std::string> from_;             // words before it are settled
    std::optional<std::string> upTo_;             // words from it on wait for a later pass
    std::string found_;
};
