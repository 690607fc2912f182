#pragma once
// The application framework's base: objects and runtime classes, exceptions, strings,
// collections, files and archives, and the point, size and rectangle classes.

#include "platform/framework/CObject.h"
#include "platform/framework/CString.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CFile.h"
#include "platform/framework/CArray.h"
#include "platform/framework/CList.h"
#include "platform/framework/CMap.h"
#include "platform/framework/CRect.h"
