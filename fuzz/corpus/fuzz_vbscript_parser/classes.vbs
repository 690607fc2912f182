Class A
  Public x, y(3)
  Private z
  Dim w
  Public Default Function F(a) : F = a : End Function
  Private Sub Class_Initialize() : End Sub
  Property Get P() : P = z : Exit Property : End Property
  Property Let P(v) : z = v : End Property
  Property Set Q(o) : Set z = o : End Property
End Class
With New A
  .x = 1 : .P = .F(2)
  With .y
  End With
End With
Set o = New A : Set o.Q = Me
