#include "platform/scripted.hpp"

namespace quorvel::platform {

namespace {

template <typename T, typename D>
T take(std::deque<T>& queue, D fallback, std::vector<Shown>& unexpected, const Shown& shown) {
    if (queue.empty()) {
        unexpected.push_back(shown);
        return fallback;
    }
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

} // namespace

std::vector<std::string> ScriptedDialogs::messages() const {
    std::vector<std::string> out;
    for (const auto& s : shown_) {
        if (s.kind == "message") {
            out.push_back(s.text);
        }
    }
    return out;
}

bool ScriptedDialogs::allAnswersUsed() const {
    return yesNo_.empty() && retryCancel_.empty() && open_.empty() && save_.empty() &&
           folder_.empty() && pageSetup_.empty() && print_.empty();
}

void ScriptedDialogs::clear() {
    *this = ScriptedDialogs();
}

void ScriptedDialogs::message(std::string_view text) {
    shown_.push_back({"message", std::string(text)});
}

int ScriptedDialogs::askYesNo(std::string_view text) {
    shown_.push_back({"yesno", std::string(text)});
    return take(yesNo_, kNo, unexpected_, shown_.back());
}

int ScriptedDialogs::askRetryCancel(std::string_view text) {
    shown_.push_back({"retrycancel", std::string(text)});
    return take(retryCancel_, kCancel, unexpected_, shown_.back());
}

std::vector<std::string> ScriptedDialogs::openFiles(std::string_view title,
                                                    const std::vector<FileFilter>& filters, bool) {
    shown_.push_back({"open", std::string(title)});
    lastFilters_ = filters;
    return take(open_, std::vector<std::string>{}, unexpected_, shown_.back());
}

std::optional<std::string> ScriptedDialogs::saveFile(std::string_view title,
                                                     std::string_view prompt,
                                                     std::string_view suggestedName) {
    shown_.push_back({"save", std::string(title) + "|" + std::string(prompt) + "|" +
                                  std::string(suggestedName)});
    return take(save_, std::optional<std::string>{}, unexpected_, shown_.back());
}

std::optional<std::string> ScriptedDialogs::chooseFolder(std::string_view title) {
    shown_.push_back({"folder", std::string(title)});
    return take(folder_, std::optional<std::string>{}, unexpected_, shown_.back());
}

bool ScriptedDialogs::pageSetup() {
    shown_.push_back({"pagesetup", ""});
    return take(pageSetup_, false, unexpected_, shown_.back());
}

bool ScriptedDialogs::printDialog() {
    shown_.push_back({"print", ""});
    return take(print_, false, unexpected_, shown_.back());
}

void ScriptedHttp::get(std::string_view url, Done done) {
    requested.emplace_back(url);
    auto it = responses.find(std::string(url));
    if (it == responses.end()) {
        done(0, {});
    } else {
        done(it->second.first, it->second.second);
    }
}

} // namespace quorvel::platform
