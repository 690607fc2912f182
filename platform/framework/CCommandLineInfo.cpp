// Command-line parsing: flags (-nologo, -p, -pt, -dde, -unregister ...) and a file name.

#include "platform/framework/CCommandLineInfo.h"

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) {
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const char* pszParam) {
    CString flag(pszParam);
    if (flag.CompareNoCase("pt") == 0)
        m_nShellCommand = FilePrintTo;
    else if (flag.CompareNoCase("p") == 0)
        m_nShellCommand = FilePrint;
    else if (flag.CompareNoCase("unregister") == 0 || flag.CompareNoCase("unregserver") == 0)
        m_nShellCommand = AppUnregister;
    else if (flag.CompareNoCase("dde") == 0)
        m_nShellCommand = FileDDE;
    else if (flag.CompareNoCase("embedding") == 0)
        m_bRunEmbedded = TRUE;
    else if (flag.CompareNoCase("automation") == 0)
        m_bRunAutomated = TRUE;
    else if (flag.CompareNoCase("nologo") == 0)
        m_bShowSplash = FALSE;
}

void CCommandLineInfo::ParseParamNotFlag(const char* pszParam) {
    if (!pszParam || !*pszParam) return;
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast) {
    if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty()) m_nShellCommand = FileOpen;
    if (bLast && (m_bRunEmbedded || m_bRunAutomated)) m_bShowSplash = FALSE;
}
