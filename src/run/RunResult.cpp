// The stability factor as text, shared by the supplement and the summary.
#include "run/RunResult.h"

#include "platform/FigureFormat.h"

std::string ImplicitFsText(FsOutcome outcome, double fs) {
    switch (outcome) {
        case FsOutcome::Solved:
            return Fixed4(fs);
        case FsOutcome::BelowRange:
            return "< " + Fixed4(kFsLowest);
        case FsOutcome::AboveRange:
            return "> " + Fixed4(kFsHighest);
        case FsOutcome::NoMass:
            break;
    }
    return "无法计算 (滑体没有下滑力和抗滑力)";
}

std::string ImplicitFsState(const StabilityResult& r, double Fst) {
    switch (r.outcome) {
        case FsOutcome::Solved:
            return StabilityState(r.implicitFs, Fst);
        case FsOutcome::BelowRange:
            return StabilityState(0.0, Fst);
        case FsOutcome::AboveRange:
            return StabilityState(kFsHighest, Fst);
        case FsOutcome::NoMass:
            break;
    }
    return {};
}
