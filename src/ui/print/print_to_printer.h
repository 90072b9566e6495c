#pragma once
// "Print Tape To Printer": the printer set-up dialog, then the visible tape or table printed
// with its document's page layout and report properties.

class QWidget;

namespace tally {

class TStMediator;

// The dialog starts with the document's page orientation; a different one chosen there becomes
// the document's ("gstrFileMgr_SetCurrDocPageOrient") and is printed. Nothing is printed when
// the dialog is cancelled; a printer that cannot start is reported.
void PrintVisibleToPrinter(QWidget* parent, TStMediator& applicationBus);

}  // namespace tally
