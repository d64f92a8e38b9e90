# The four ODBC driver files the dialog carries as BinStream1 to BinStream4, in that order, and
# the time stamps their stand-ins get (local time of the building machine). Included by
# DriverFiles.cmake, which makes the files, and by PrepareFormText.cmake, which describes them.
set(lintora_driver_names Myodbc.dll Myodbcd.dll myodbc5a.dll myodbc5S.dll)
set(lintora_driver_times "2000-10-23 11:07:26" "2000-10-23 11:07:50" "2014-06-19 00:54:24"
                         "2014-06-19 00:54:22")
