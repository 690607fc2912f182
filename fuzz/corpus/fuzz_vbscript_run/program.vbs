Function F(n)
  If n > 0 Then F = F(n - 1) + 1 Else F = 0
End Function
x = F(20) & Mid("abc", 2) & Replace("aaa", "a", "bb")
a = Split("1,2,3", ",")
ReDim Preserve a(5)
For Each v In a : s = s & v : Next
On Error Resume Next
Err.Raise 5
y = Eval("1 + " & Len(s))
Do While i < 3 : i = i + 1 : Loop
