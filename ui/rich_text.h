// Builds Qt rich text from the runs of the RTF reader.
#pragma once

#include "ui/rtf_reader.h"

class QTextDocument;

// Replaces the content of `target` with the paragraphs of `doc`.
void buildRichText(const RtfDocument& doc, QTextDocument& target);
