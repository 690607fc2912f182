#pragma once
// The application framework in one include: command targets and message maps, windows, the
// application, frames (SDI and MDI), documents and views, dialogs and data exchange, the common
// dialogs, GDI and menu wrappers, and the standard controls.

#include "platform/framework/framework.h"
#include "platform/framework/afxres.h"
#include "platform/framework/CCmdTarget.h"
#include "platform/framework/CCmdUI.h"
#include "platform/framework/CWnd.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CGdiObject.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/Controls.h"
#include "platform/framework/CommonControls.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/CCommandLineInfo.h"
#include "platform/framework/CRecentFileList.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CView.h"
#include "platform/framework/CDocTemplate.h"
#include "platform/framework/CDocManager.h"
#include "platform/framework/CDialog.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/CommonDialogs.h"
#include "platform/framework/FrameworkStrings.h"
