#include "scripting/CHHScriptErrorInfo.h"

#include "platform/com/oleauto.h"

void CHHScriptErrorInfo::Fill(IActiveScriptError* pError, int nParsing) {
    m_nParsing = nParsing;
    m_pError = pError;
    if (!pError) return;
    pError->GetSourcePosition(&m_dwSourceContext, &m_nLine, &m_nCharPos);
    BSTR line = nullptr;
    if (SUCCEEDED(pError->GetSourceLineText(&line))) m_strSourceLine = pm::fromBstr(line).c_str();
    SysFreeString(line);
    EXCEPINFO excep{};
    if (SUCCEEDED(pError->GetExceptionInfo(&excep)))
        m_strDescription = pm::fromBstr(excep.bstrDescription).c_str();
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
}
