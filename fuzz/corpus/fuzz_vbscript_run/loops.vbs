Dim m(2, 1)
For Each v In m
  m(0, 0) = v & "x"
  If Len(v) > 3 Then Exit For
Next
For Each c In Nothing
Next
x = Eval("1 + 2 = 3")
r = MsgBox("sure?", vbYesNo + vbQuestion, "t")
s = InputBox("name", "t", "d", 1500, 3000)
