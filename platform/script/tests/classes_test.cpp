// Classes, With, New, Me, Execute, Eval and GetRef, checked through the Test object's log.

#include "support/script_cases.h"

#include <gtest/gtest.h>

namespace {

using Case = pm::test::ScriptCase;

const char* const kCounter = "Class Counter\n"
                             "  Private m_count\n"
                             "  Public Name\n"
                             "  Private Sub Class_Initialize\n    m_count = 10\n  End Sub\n"
                             "  Public Sub Add(n)\n    m_count = m_count + n\n  End Sub\n"
                             "  Public Property Get Count\n    Count = m_count\n  End Property\n"
                             "  Public Property Let Count(v)\n    If v < 0 Then Err.Raise 5\n"
                             "    m_count = v\n  End Property\n"
                             "  Public Default Function Describe(prefix)\n"
                             "    Describe = prefix & Name & \"=\" & Count\n  End Function\n"
                             "End Class\n";

std::string withCounter(const char* body) {
    return std::string(kCounter) + body;
}

const Case kClasses[] = {
    {"fields, methods, properties and initialize", nullptr, "10|13|7|c=7"},
    {"default member called through the variable", nullptr, "> c=10"},
    {"private members are not reachable from outside", nullptr, "438|438"},
    {"TypeName and Is", nullptr, "Counter|True|False"},
    {"instances are separate objects", nullptr, "11|12"},
};

TEST(Classes, MembersPropertiesAndDefault) {
    const std::string scripts[] = {
        withCounter("Set c = New Counter\nc.Name = \"c\"\nTest.Log c.Count\nc.Add 3\nTest.Log c.Count\n"
                    "c.Count = 7\nTest.Log c.Count\nTest.Log c.Describe(\"\")"),
        withCounter("Set c = New Counter\nc.Name = \"c\"\nTest.Log c(\"> \")"),
        withCounter("On Error Resume Next\nSet c = New Counter\nx = c.m_count\nTest.Log Err.Number\n"
                    "Err.Clear\nc.Class_Initialize\nTest.Log Err.Number"),
        withCounter("Set c = New Counter\nSet d = c\nTest.Log TypeName(c)\nTest.Log c Is d\n"
                    "Test.Log c Is New Counter"),
        withCounter("Set a = New Counter\nSet b = New Counter\na.Add 1\nb.Add 2\nTest.Log a.Count\n"
                    "Test.Log b.Count"),
    };
    for (size_t i = 0; i < std::size(kClasses); ++i) {
        Case c = kClasses[i];
        c.script = scripts[i].c_str();
        pm::test::runTable(&c, &c + 1);
    }
}

const Case kMoreClasses[] = {
    {"terminate runs when the last reference goes, in order",
     "Class T\n  Public Id\n  Sub Class_Terminate\n    Test.Log \"bye \" & Id\n  End Sub\nEnd Class\n"
     "Set a = New T : a.Id = 1\nSet b = New T : b.Id = 2\nSet c = b\nSet b = Nothing\nTest.Log \"mid\"\n"
     "Set c = Nothing\nSet a = Nothing\nTest.Log \"end\"",
     "mid|bye 2|bye 1|end"},
    {"terminate of a local object at the end of its procedure",
     "Class T\n  Sub Class_Terminate\n    Test.Log \"gone\"\n  End Sub\nEnd Class\n"
     "Sub S\n  Dim o\n  Set o = New T\n  Test.Log \"in\"\nEnd Sub\nS\nTest.Log \"after\"",
     "in|gone|after"},
    {"Me and unqualified members inside methods",
     "Class Node\n  Public Value, NextNode\n  Function Chain(v)\n    Set NextNode = New Node\n"
     "    NextNode.Value = v\n    Set Chain = Me\n  End Function\n  Function Sum\n    Sum = Value\n"
     "    If IsObject(NextNode) Then Sum = Sum + NextNode.Sum\n  End Function\nEnd Class\n"
     "Set n = New Node\nn.Value = 1\nTest.Log n.Chain(2).Sum()",
     "3"},
    {"property set and get of an object",
     "Class Box\n  Private m_item\n  Property Set Item(o)\n    Set m_item = o\n  End Property\n"
     "  Property Get Item\n    Set Item = m_item\n  End Property\nEnd Class\n"
     "Set b = New Box\nSet b.Item = Test\nb.Item.Log \"through\"",
     "through"},
    {"byref argument of a method writes back",
     "Class K\n  Sub Twice(n)\n    n = n * 2\n  End Sub\nEnd Class\nSet k = New K\nx = 4\nk.Twice "
     "x\nTest.Log x",
     "8"},
    {"array field and exit property",
     "Class A\n  Public Items(2)\n  Property Get First\n    First = Items(0)\n    Exit Property\n"
     "    First = \"no\"\n  End Property\nEnd Class\nSet a = New A\na.Items(0) = \"x\"\nTest.Log a.First\n"
     "Test.Log UBound(a.Items)",
     "x|2"},
    {"one call site sees objects of two classes, a Dictionary and a class defined anew",
     "Class A\n  Public Extra\n  Property Get Count\n    Count = \"a\"\n  End Property\nEnd Class\n"
     "Class B\n  Function Other\n  End Function\n  Property Get Count\n    Count = \"b\"\n  End Property\n"
     "End Class\nSet d = CreateObject(\"Scripting.Dictionary\")\nd.Add 1, 1\nSet oldB = New B\n"
     "Function Make(i)\n  Select Case i\n  Case 0, 4\n    Set Make = New A\n  Case 1\n    Set Make = oldB\n"
     "  Case 2\n    Set Make = d\n  Case 3\n    ExecuteGlobal \"Class B : Property Get Count : Count = "
     "\"\"b2\"\" "
     ": End Property : End Class\"\n    Set Make = New B\n  Case 5\n    Set Make = oldB\n  End Select\n"
     "End Function\nFor i = 0 To 5\n  s = s & Make(i).Count & \" \"\nNext\nTest.Log s",
     "a b 1 b2 a b "},
    {"one call site alternates between a class instance and a host object",
     "Class L\n  Sub Log(x)\n    Test.Log \"class \" & x\n  End Sub\nEnd Class\nSet c = New L\n"
     "For Each o In Array(c, Test, c, Test)\n  o.Log \"x\"\nNext",
     "class x|x|class x|x"},
    {"a procedure ExecuteGlobal defines anew is the one a call site already run calls",
     "Sub F\n  Test.Log \"one\"\nEnd Sub\nFor i = 1 To 2\n  F\n"
     "  ExecuteGlobal \"Sub F : Test.Log \"\"two\"\" : End Sub\"\nNext",
     "one|two"},
    {"the object of a call lives while its arguments release the variable that held it",
     "Class K\n  Public Tag\n  Sub Show(x)\n    Test.Log Tag & x\n  End Sub\n  Sub Class_Terminate\n"
     "    Test.Log \"gone\"\n  End Sub\nEnd Class\nFunction Drop()\n  Set k = Nothing\n  Drop = \"!\"\n"
     "End Function\nSet k = New K\nk.Tag = \"k\"\nk.Show Drop()\nTest.Log \"after\"",
     "k!|gone|after"},
    {"property let with an index, its value read from the same property",
     "Class M\n  Private m_items(3)\n  Property Let Item(i, v)\n    m_items(i) = v & i\n  End Property\n"
     "  Property Get Item(i)\n    Item = m_items(i)\n  End Property\nEnd Class\nSet m = New M\n"
     "m.Item(2) = \"x\"\nm.Item(1) = m.Item(2)\nTest.Log m.Item(2) & \" \" & m.Item(1)",
     "x2 x21"},
    {"class not defined", "On Error Resume Next\nSet o = New Missing\nTest.Log Err.Number", "506"},
    {"error inside a method reaches the caller",
     "Class E\n  Sub Fail\n    x = 1 / 0\n    Test.Log \"not here\"\n  End Sub\nEnd Class\n"
     "On Error Resume Next\nSet e = New E\ne.Fail\nTest.Log Err.Number",
     "11"},
    {"nested With with a leading dot",
     "Class P\n  Public Name, Child\nEnd Class\nSet p = New P\nSet p.Child = New P\n"
     "With p\n  .Name = \"outer\"\n  With .Child\n    .Name = \"inner\"\n  End With\n"
     "  Test.Log .Name & \"/\" & .Child.Name\nEnd With",
     "outer/inner"},
    {"the object of With is evaluated once",
     "Function Make()\n  Test.Log \"made\"\n  Set Make = Test\nEnd Function\nWith Make()\n  .Log 1\n  .Log "
     "2\n"
     "End With",
     "made|1|2"},
    {"With over a host object and a method call with arguments",
     "With Test\n  .Log \"a\"\n  .Log .Add(1, 2)\nEnd With", "a|3"},
    {"Execute defines a function used afterwards",
     "Execute \"Function Twice(x) : Twice = 2 * x : End Function\"\nTest.Log Twice(21)", "42"},
    {"Execute runs in the local scope, ExecuteGlobal in the global one",
     "x = \"global\"\nSub S\n  Dim x\n  x = \"local\"\n  Execute \"Test.Log x\"\n"
     "  ExecuteGlobal \"Test.Log x : y = 5\"\nEnd Sub\nS\nTest.Log y",
     "local|global|5"},
    {"Execute defines a class",
     "ExecuteGlobal \"Class Q : Public V : End Class\"\nSet q = New Q\nq.V = 3\nTest.Log q.V", "3"},
    {"Eval of an expression in the current scope",
     "a = 6\nTest.Log Eval(\"a * 7\")\nTest.Log Eval(\"a = 6\")", "42|True"},
    {"errors in Execute text are run-time errors of the caller",
     "On Error Resume Next\nExecute \"x = 1 +\"\nTest.Log Err.Number\nErr.Clear\nExecute \"y = 1 / 0\"\n"
     "Test.Log Err.Number",
     "1002|11"},
    {"GetRef calls a procedure through its default member",
     "Function Plus(a, b)\n  Plus = a + b\nEnd Function\nSet f = GetRef(\"Plus\")\nTest.Log f(2, 3)\n"
     "On Error Resume Next\nSet g = GetRef(\"Nope\")\nTest.Log Err.Number",
     "5|5"},
};

TEST(Classes, TerminationWithExecuteAndGetRef) {
    pm::test::runTable(std::begin(kMoreClasses), std::end(kMoreClasses));
}

// Releasing the head of a long chain deletes every node without a native recursion per node.
TEST(Classes, LongChainOfInstancesIsReleased) {
    const Case chain[] = {
        {"chain",
         "Class N\n  Public NextNode\nEnd Class\nSet head = Nothing\nFor i = 1 To 300000\n"
         "  Set n = New N\n  Set n.NextNode = head\n  Set head = n\nNext\nSet n = Nothing\n"
         "Set head = Nothing\nTest.Log \"released\"",
         "released"},
        {"chain with terminate",
         "Class N\n  Public NextNode\n  Sub Class_Terminate\n    count = count + 1\n  End Sub\nEnd Class\n"
         "count = 0\nSet head = Nothing\nFor i = 1 To 100000\n  Set n = New N\n  Set n.NextNode = head\n"
         "  Set head = n\nNext\nSet n = Nothing\nSet head = Nothing\nTest.Log count",
         "100000"},
    };
    pm::test::runTable(std::begin(chain), std::end(chain));
}

} // namespace
