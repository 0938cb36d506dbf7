// The resistance per metre width of slope that the pile rows of one pile kind
// offer: the common currency of the safety check and the designs.
#pragma once

class CSlideCalcData;

// kN per metre width from all rows of pile kind k, with the record's current
// pileSpacing, pileRows and rowFactor. 0 without piles or for a kind index
// outside 0..pileKindCount-1. A spacing below 1 mm counts as 1 mm.
float PileResistance(const CSlideCalcData& item, int k);
