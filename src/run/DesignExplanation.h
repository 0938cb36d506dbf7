// Parts of the supplement that let a checker follow a run: how the blocks are
// numbered against the slip segments, what a design looked for and found (or
// came closest to), the thrust of the section as designed block by block, and
// what the run found wrong with its own results.
#pragma once

class CSlideCalc;
class CSlideCalcData;
class ReportWriter;
struct Plausibility;

// "块号从坡顶数起 …": blocks are counted from the crest, slip segments from the toe.
void WriteBlockNumbering(const CSlideCalcData& item, ReportWriter& out);

// For a design run: the criterion in words, the winner with its place in the
// range, or the trial that came closest and the thrust it still leaves; then
// the block-by-block thrust of the section as designed (or as closest).
void WriteDesignExplanation(CSlideCalc& calc, const CSlideCalcData& item, ReportWriter& out);

// "[计算简图(标注)]" with the labelled sketch, when the caller of the run
// writes one (RunOptions::labelledSketch).
void WriteAnnotatedSketch(const CSlideCalc& calc, const CSlideCalcData& item, ReportWriter& out);

// The run's errors and warnings about its own results; nothing when none.
void WriteResultChecks(const Plausibility& checks, ReportWriter& out);
