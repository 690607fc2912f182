Class Node
  Private m_value
  Public NextNode, Items(2)
  Private Sub Class_Initialize : m_value = 1 : End Sub
  Private Sub Class_Terminate : m_value = Empty : End Sub
  Public Default Property Get Value : Value = m_value : End Property
  Public Property Let Value(v) : m_value = v : End Property
  Public Property Set Link(o) : Set NextNode = o : End Property
  Public Function Chain(v)
    Set NextNode = New Node
    NextNode.Value = v
    Set Chain = Me
    Exit Function
  End Function
End Class
Set n = New Node
n.Value = 5 : Set n.Link = New Node
With n
  .Items(0) = .Value
  With .Chain(3).NextNode
    .Value = .Value + 1
  End With
End With
x = n & TypeName(n)
Set n = Nothing
