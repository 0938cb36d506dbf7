// The command line is walked again as CLI11 reads it (subcommands, options with
// their values, positionals) to find the first word nothing accepts.
#include "cli/UsageErrors.h"

#include "platform/NearestName.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

namespace {

struct UnknownWord {
    std::string word;  // empty: every word was accepted
    bool isOption = false;
    std::vector<std::string> candidates;  // what would have been accepted there
    std::string command = "talvor-cli";   // the subcommands read before it
};

// An option of app or of the apps it falls through to.
const CLI::Option* findOption(const CLI::App* app, const std::string& name) {
    for (; app; app = app->get_parent())
        if (const CLI::Option* opt = app->get_option_no_throw(name)) return opt;
    return nullptr;
}

std::vector<std::string> optionNames(const CLI::App* app) {
    std::vector<std::string> names;
    for (; app; app = app->get_parent())
        for (const CLI::Option* opt : app->get_options()) {
            for (const std::string& l : opt->get_lnames()) names.push_back("--" + l);
            for (const std::string& s : opt->get_snames()) names.push_back("-" + s);
        }
    return names;
}

std::vector<std::string> subcommandNames(const CLI::App* app) {
    std::vector<std::string> names;
    for (const CLI::App* sub : app->get_subcommands({})) names.push_back(sub->get_name());
    return names;
}

const CLI::App* findSubcommand(const CLI::App* app, const std::string& name) {
    for (const CLI::App* sub : app->get_subcommands({}))
        if (sub->get_name() == name) return sub;
    return nullptr;
}

size_t positionalCount(const CLI::App* app) {
    return app->get_options([](const CLI::Option* o) { return o->get_positional(); }).size();
}

bool looksLikeOption(const std::string& word) {
    return word.size() > 1 && word[0] == '-' && !std::isdigit(static_cast<unsigned char>(word[1]));
}

UnknownWord findUnknownWord(const CLI::App& app, int argc, const char* const* argv) {
    UnknownWord found;
    const CLI::App* at = &app;
    size_t positionalsLeft = positionalCount(at);
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--") break;
        if (looksLikeOption(word)) {
            const std::string name = word.substr(0, word.find('='));
            const CLI::Option* opt = findOption(at, name);
            if (!opt) return {word, true, optionNames(at), found.command};
            if (opt->get_type_size() != 0 && name.size() == word.size()) ++i;
        } else if (const CLI::App* sub = findSubcommand(at, word)) {
            at = sub;
            found.command += " " + word;
            positionalsLeft = positionalCount(at);
        } else if (positionalsLeft > 0) {
            --positionalsLeft;
        } else {
            return {word, false, subcommandNames(at), found.command};
        }
    }
    return found;
}

// CLI11's messages, as far as talvor-cli's options can cause them, in Chinese;
// anything else keeps CLI11's text after a Chinese lead.
std::string chineseMessage(const std::string& what) {
    static const std::pair<std::regex, const char*> kTranslations[] = {
        {std::regex("A subcommand is required"), "缺少子命令"},
        {std::regex("Requires at least .* subcommands.*"), "缺少子命令"},
        {std::regex("(.+) is required"), "缺少 $1"},
        {std::regex("The following arguments? (was|were) not expected: (.*)"), "多余的参数: $2"},
        {std::regex("Could not convert: (.+) = (.*)"), "$1 的值 $2 不是所要的数"},
        {std::regex("(.+): Value (.+) not in range (.+) to (.+)"), "$1 的值 $2 不在 $3 至 $4 之间"},
        {std::regex("(.+): \\d+ required .* missing"), "$1 缺少值"},
        {std::regex("Expected exactly (\\d+) arguments? to (.+), got (\\d+)"),
         "$2 须有 $1 个值, 给出了 $3 个"},
        {std::regex("(.+): too many inputs for a flag"), "$1 是开关, 不带值"},
    };
    for (const auto& [pattern, text] : kTranslations) {
        std::smatch m;
        if (std::regex_match(what, m, pattern)) return m.format(text);
    }
    return "命令行有误: " + what;
}

}  // namespace

int reportParseError(CLI::App& app, const CLI::ParseError& error, int argc,
                     const char* const* argv) {
    if (error.get_exit_code() == 0) return app.exit(error);
    const UnknownWord unknown = findUnknownWord(app, argc, argv);
    if (unknown.word.empty())
        std::fprintf(stderr, "%s\n", chineseMessage(error.what()).c_str());
    else if (unknown.isOption)
        std::fprintf(stderr, "没有选项 %s\n", unknown.word.c_str());
    else if (!unknown.candidates.empty())
        std::fprintf(stderr, "没有子命令 %s\n", unknown.word.c_str());
    else
        std::fprintf(stderr, "多余的参数: %s\n", unknown.word.c_str());
    const std::string near = NearestName(unknown.word, unknown.candidates);
    if (!unknown.word.empty() && !near.empty())
        std::fprintf(stderr, "您是否要用 %s ?\n", near.c_str());
    std::fprintf(stderr, "用法见 %s --help\n", unknown.command.c_str());
    return kUsageErrorStatus;
}
