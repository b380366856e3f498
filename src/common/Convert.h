#pragma once
// Conversions between texts and numbers. Field values are held as text everywhere and converted
// only where they are checked, computed or written. No state, no messages.

#include "platform/CString.h"

#include <string>
#include <string_view>
#include <vector>

// The text without the characters of `chars` at its ends (by default the white space
// CString::Trim takes off), where it stands.
std::string_view TrimmedView(std::string_view text, std::string_view chars = " \t\r\n\v\f");

bool IsRealNumber(const CString& text);
// IsRealNumber of a text that holds no blanks at its ends, without copying it.
bool IsRealNumberView(std::string_view text);
// The length of the real number that `text` starts with, by the rules of IsRealNumber (an
// optional "-", digits with at most one point, an exponent with its sign); 0 where none starts
// there, or where an "E" after it takes no sign.
size_t RealNumberLength(std::string_view text);
bool IsIntegerText(const CString& text);
bool IsIntegerTextView(std::string_view text);

// atoi / atof: leading blanks skipped, reading stops at the first character that does not fit.
int StdToInt(CString text);
double StdToDouble(CString text);
// What StdToInt reads from a text that IsIntegerTextView passes, or from a lone "-", and what
// StdToDouble reads from one that IsRealNumberView passes: the same values, without a copy.
int IntOfIntegerText(std::string_view text);
double RealOfNumberText(std::string_view text);
// A number that is not finite ("nan", "inf", "1e999" as atof reads them) is no value a field can
// hold or a file can carry: it counts as a text that is no number, 0.
double FiniteOrZero(double value);

CString IntToCString(int value);
std::string IntToStd(int value);
// General notation, 6 significant digits, as a default string stream writes it.
CString DoubleToCString(double value);
CString RoundedToCString(double value, int decimals);
// A real as a file row writes it: rounded to `decimals`, or its short text when `decimals` is
// negative; a value that is no number as 0.
CString WrittenRealText(double value, int decimals);
// Halves away from zero; values a hair below a half round up too (1.005 -> 1.01).
double RoundTo(double value, int decimals);

std::vector<std::string> SplitStd(const std::string& text, char delimiter, bool keepLast);
std::string TrimStd(std::string& text);
std::string FileExtension(std::string fileName);
