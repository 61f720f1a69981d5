#pragma once

class QPrinter;

// The printer and page the user chose in page set-up, kept for the whole run:
// page set-up edits it, and printing and print preview print on it.
class PrinterChoice {
public:
    static QPrinter& Printer();
};
