Option Explicit
Dim a(3), b
Const K = &H10
Sub App_Timer()
  If a(0) = "x" Then b = 1 Else b = 2 : a(1) = Mid("abc", 2)
End Sub
Function F(ByVal x, ByRef y)
  Select Case x
  Case 1, 2
    F = x ^ -2 & y
  Case Else
    F = Not x Or y Mod 3 \ 2
  End Select
End Function
