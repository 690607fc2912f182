Execute "Function Twice(x) : Twice = 2 * x : End Function"
ExecuteGlobal "Class Q : Public V : End Class"
Set f = GetRef("Twice")
y = f(21) + Eval("Twice(2)")
Set r = New RegExp
r.Pattern = "(\w+)@(\w+)" : r.Global = True : r.IgnoreCase = True : r.Multiline = True
s = r.Replace("ann@x bob@y", "$2:$1 $& $$")
For Each m In r.Execute("a@b c@d")
  s = s & m.FirstIndex & m.SubMatches(0) & m.SubMatches.Count
Next
Set d = CreateObject("Scripting.Dictionary")
d.CompareMode = 1
d.Add "a", 1 : d("B") = 2 : d.Key("a") = "c"
For Each k In d : s = s & k & d(k) : Next
d.Remove "b" : z = Join(d.Keys) & Join(d.Items) & d.Exists("C") & d.Count
s = ChrW(8364) & AscW("x") & LenB(s) & MidB(s, 2, 3) & InStrB(s, "a") & ChrB(65) & AscB("a")
s = Escape(s) & Unescape("%u20AC%41") & Timer & GetLocale & SetLocale(1033) & LeftB(s, 3) & RightB(s, 1)
