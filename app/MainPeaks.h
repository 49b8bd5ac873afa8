#pragma once
// Fills the Design Peaks window from a document (the Design Peaks command's work, apart from showing it).
class TCalcDocument;
class TDesignPeaksForm;

void FillDesignPeaks(TDesignPeaksForm& form, const TCalcDocument& doc);
