#pragma once
// Everything of the automation layer in one include.

#include "platform/com/comtypes.h"
#include "platform/com/unknwn.h"
#include "platform/com/oleauto.h"
#include "platform/com/typeinfo.h"
#include "platform/com/objbase.h"
#include "platform/com/comptr.h"
#include "platform/com/vardate.h"
