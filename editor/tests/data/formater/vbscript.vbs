' comment line
Rem remark comment
Dim Remark, x ' trailing comment
x = &H1F& + &h0 + 12.5E-3 & "text \"quoted\" more" & vbCrLf
If x <> 5 And Not y Then MsgBox "done", vbOKOnly
s = "unterminated
Function Name(ByVal a)
    Name = a Mod 3 \ 2 ^ 2
End Function
y = VBRED + vbred + IsObject(x) + UCase(s)
REM upper
rem
