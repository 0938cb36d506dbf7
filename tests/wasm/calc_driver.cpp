// node talvor-calc.js ITEM...: each item data file calculated as
// `talvor-cli calc --keep-directives ITEM` calculates it, its result files
// written beside it: the WebAssembly core's side of the node tests and
// benchmarks. The exit status is 2 when an item could not be read, 1 when a
// calculation failed, else 0; the last line printed says that every item
// came to an end.
#include "platform/Sinks.h"
#include "platform/WorkContext.h"
#include "run/ItemCalculation.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

int calculate(const std::string& path) {
    StderrSinks sinks;
    const std::string dir = std::filesystem::path(path).parent_path().string();
    WorkContext ctx;
    ctx.G_strWorkPath = withTrailingSlash(dir.empty() ? std::string(".") : dir);
    ctx.status = &sinks;
    ctx.messages = &sinks;
    const ItemFileCalculation c = CalculateItemFile(path, ctx, false, false, RunOptions{});
    if (c.outcome == ItemFileOutcome::Unreadable) return 2;
    return c.calc.run.result == 1 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const int s = calculate(argv[i]);
        if (s > status) status = s;
    }
    std::printf("talvor-calc: %d items done\n", argc - 1);
    return status;
}
