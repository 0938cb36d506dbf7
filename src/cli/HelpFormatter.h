// talvor-cli's help in Chinese: CLI11's labels, group titles and help flag
// translated, and the columns padded by display width so that Chinese texts
// line up. Option and subcommand names stay as they are.
#pragma once

namespace CLI {
class App;
}

// Applies the Chinese help to app and every subcommand it holds at the time of
// the call; call it once all subcommands are registered.
void useChineseHelp(CLI::App& app);
