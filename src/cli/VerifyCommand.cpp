// talvor-cli verify [DIR]: runs the verification cases and prints, for every
// checked quantity, the expected value, the computed one and the difference.
#include "cli/Commands.h"

#include "run/Verification.h"

void addVerifyCommand(CLI::App& app, int& exitCode) {
    auto dir = std::make_shared<std::string>("docs/verification");
    CLI::App* cmd = app.add_subcommand("verify", "运行验证算例，列出期望值、计算值及差值");
    cmd->add_option("DIR", *dir, "验证算例目录 (默认: docs/verification)");
    cmd->callback([dir, &exitCode] {
        const VerifyResult result = RunVerification(*dir);
        const std::string table = VerificationTable(result);
        std::fwrite(table.data(), 1, table.size(), stdout);
        // 0 all checks passed, 1 a value differs, 2 nothing could be run.
        exitCode = result.passed() ? 0 : result.checks.empty() ? 2 : 1;
    });
}
