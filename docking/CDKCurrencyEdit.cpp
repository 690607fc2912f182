#include "docking/CDKCurrencyEdit.h"

IMPLEMENT_DYNAMIC(CDKCurrencyEdit, CDKNumericEdit)
