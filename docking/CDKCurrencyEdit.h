#pragma once
// A numeric edit for amounts of money: at most two digits after the decimal point.

#include "docking/CDKNumericEdit.h"

class CDKCurrencyEdit : public CDKNumericEdit {
    DECLARE_DYNAMIC(CDKCurrencyEdit)

protected:
    int GetMaxDecimals() const override { return 2; }
};
