For i = 1 To 10 Step 2 : Do While i < 5 : i = i + 1 : Loop : Next
For Each v In Array(1, #1/2/2003#, 1.5E3)
  Call Doc.SetSel(0, -1) _
   : x = Doc.Selection(1).Text
Next
On Error Resume Next
Err.Raise vbObjectError + 1
ReDim Preserve a(5, 2)
While False : Wend
