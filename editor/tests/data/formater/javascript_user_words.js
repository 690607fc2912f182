alert("hi"); WScript.Echo(1);
import x from "y";
alerts = alert + WScript + wscript;
