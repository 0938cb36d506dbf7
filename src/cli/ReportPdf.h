// A report document laid out as PDF the way the report view prints it. Needs
// a QGuiApplication for its fonts and pictures.
#pragma once

#include "project/ReportDocument.h"
#include "project/RtfWriter.h"

#include <string>

// 1 when the file was written (0: the old file, if any, is kept). A picture
// whose source gives no PNG is left out.
int WriteReportPdf(const std::string& path, const ReportDocument& doc,
                   const PictureSource& pictures);
