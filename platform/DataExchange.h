#pragma once

#include <QString>

class QAbstractButton;
class QLineEdit;
class QWidget;

// Moving values between a page's members and its controls, with the checks
// and messages of the settings dialogs. With save false the value goes into
// the control; with save true it comes back, and a refused value gives a
// message, puts the focus on the control and returns false.
namespace DataExchange {

void Check(bool save, QAbstractButton* box, int& value);
// A whole number from minimum to maximum.
bool Number(bool save, QLineEdit* edit, int& value, int minimum, int maximum);
// A text of at most maxLength characters.
bool Text(bool save, QLineEdit* edit, QString& value, int maxLength);
// A group of radio buttons: the index of the one that is on, -1 for none.
void Radio(bool save, QAbstractButton* const* buttons, int count, int& value);

} // namespace DataExchange
