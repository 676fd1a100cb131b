' Classes: fields, properties, methods, the default member, Me, and the
' Initialize and Terminate events.
Class Account
    Public Owner
    Private mBalance
    Private mHistory

    Private Sub Class_Initialize()
        mBalance = 0
        Set mHistory = CreateObject("VBA.Collection")
        WScript.Echo "Initialize"
    End Sub

    Private Sub Class_Terminate()
        WScript.Echo "Terminate", Owner
    End Sub

    Public Property Get Balance() : Balance = mBalance : End Property
    Public Property Let Balance(value)
        If value < 0 Then Err.Raise 5, "Account", "A balance cannot be negative"
        mBalance = value
    End Property

    Public Property Get History() : Set History = mHistory : End Property

    Public Function Deposit(amount)
        Balance = Balance + amount
        mHistory.Add amount
        Set Deposit = Me
    End Function

    Public Default Function Describe()
        Describe = Owner & ": " & mBalance
    End Function

    Private Function Secret() : Secret = "hidden" : End Function
    Public Function Reveal() : Reveal = Secret() & " via " & TypeName(Me) : End Function
End Class

Dim acct : Set acct = New Account
acct.Owner = "Ada"
acct.Deposit(10).Deposit 5
WScript.Echo acct.Balance, acct.History.Count, acct.History(2)
WScript.Echo acct, "|", acct.Describe, "|", TypeName(acct)
acct.Balance = 100
WScript.Echo acct()
WScript.Echo acct.Reveal

On Error Resume Next
acct.Balance = -1
WScript.Echo Err.Number, Err.Source, Err.Description, acct.Balance
Err.Clear
WScript.Echo acct.Secret
WScript.Echo Err.Number, Err.Description
On Error GoTo 0

Dim other : Set other = acct
WScript.Echo other Is acct, IsObject(other), VarType(other)
other.Owner = "Grace"
WScript.Echo acct.Owner
Set other = Nothing
WScript.Echo "still alive:", acct.Owner
Set acct = Nothing
WScript.Echo "released"

Class Node
    Public Value, NextNode
End Class
Dim head, item, k
Set head = Nothing
For k = 1 To 3
    Set item = New Node
    item.Value = k
    Set item.NextNode = head
    Set head = item
Next
Set item = head
Do Until item Is Nothing
    WScript.Echo "node", item.Value
    Set item = item.NextNode
Loop

Class Matrix
    Private cells(2, 2)
    Public Property Get Cell(r, c) : Cell = cells(r, c) : End Property
    Public Property Let Cell(r, c, value) : cells(r, c) = value : End Property
End Class
Dim m : Set m = New Matrix
m.Cell(1, 2) = "one-two"
WScript.Echo m.Cell(1, 2), IsEmpty(m.Cell(0, 0))

Dim keep : Set keep = New Account
keep.Owner = "kept until the end"
WScript.Echo "end of script"
