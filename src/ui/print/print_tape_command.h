#pragma once
// "Print Tape To Printer": the printer set-up dialog, then the tape printed with the default
// page layout (documents bring their own layouts later).

#include <string>

class QWidget;

namespace tally {

class TCalculator;

// Nothing is printed when the dialog is cancelled; a printer that cannot start is reported.
void PrintTapeToPrinter(QWidget* parent, const TCalculator& tape, const std::string& fileName);

}  // namespace tally
