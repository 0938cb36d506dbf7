// The formatter keeps CLI11's layout (usage, positionals, options, subcommands)
// and replaces only words and padding.
#include "cli/HelpFormatter.h"

#include "platform/TextEncoding.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <regex>
#include <sstream>
#include <string>

namespace {

constexpr const char* kOptionsGroup = "选项";
constexpr const char* kSubcommandsGroup = "子命令";

class ChineseFormatter : public CLI::Formatter {
  public:
    ChineseFormatter() {
        label("Usage", "用法");
        label("OPTIONS", "选项");
        label("SUBCOMMAND", "子命令");
        label("SUBCOMMANDS", "子命令");
        label("Positionals", "参数");
        label("REQUIRED", "必填");
        label("TEXT", "文本");
        label("INT", "整数");
        label("UINT", "整数");
        label("FLOAT", "数");
        label("Env", "环境变量");
        column_width(32);
    }

    std::string make_option(const CLI::Option* opt, bool isPositional) const override {
        return helpLine(make_option_name(opt, isPositional) + make_option_opts(opt),
                        make_option_desc(opt));
    }

    std::string make_subcommand(const CLI::App* sub) const override {
        return helpLine(sub->get_display_name(true), sub->get_description());
    }

    // The value's kind and its range in words: "INT:INT in [16 - 20000]"
    // becomes "整数:16 至 20000".
    std::string make_option_opts(const CLI::Option* opt) const override {
        if (opt->get_type_size() == 0 || !opt->get_option_text().empty())
            return CLI::Formatter::make_option_opts(opt);
        std::string out = " " + typeText(opt->get_type_name());
        if (!opt->get_default_str().empty()) out += "=" + opt->get_default_str();
        if (opt->get_required()) out += " " + get_label("REQUIRED");
        return out;
    }

  private:
    std::string typeText(const std::string& typeName) const {
        static const std::regex range(R"((\w+) in \[(.+) - (.+)\])");
        std::string out;
        std::stringstream pieces(typeName);
        std::string piece;
        while (std::getline(pieces, piece, ':')) {
            if (!out.empty()) out += ":";
            std::smatch m;
            out += std::regex_match(piece, m, range) ? m[2].str() + " 至 " + m[3].str()
                                                     : get_label(piece);
        }
        return out;
    }

    // CLI11's two columns, padded by the width a terminal shows: a Chinese
    // character takes two columns, as it takes two bytes in GBK.
    std::string helpLine(const std::string& name, const std::string& description) const {
        const int width = static_cast<int>(column_width_);
        std::string out = "  " + name;
        const int used = gbkWidth(out);
        const std::string indent(width, ' ');
        if (!description.empty()) {
            out += used >= width ? "\n" + indent : std::string(width - used, ' ');
            for (char c : description) {
                out += c;
                if (c == '\n') out += indent;
            }
        }
        return out + "\n";
    }
};

void applyTo(CLI::App& app, const std::shared_ptr<ChineseFormatter>& formatter) {
    app.formatter(formatter);
    app.option_defaults()->group(kOptionsGroup);
    app.set_help_flag("-h,--help", "显示此帮助并退出");
    for (CLI::Option* opt : app.get_options()) opt->group(kOptionsGroup);
    for (CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; })) {
        sub->group(kSubcommandsGroup);
        applyTo(*sub, formatter);
    }
}

}  // namespace

void useChineseHelp(CLI::App& app) {
    applyTo(app, std::make_shared<ChineseFormatter>());
    app.footer("各子命令的选项: talvor-cli 子命令 --help");
}
