#pragma once

// The calendar's dialog template and its controls, shared by FormCalendarDialog.rc and the dialog
// procedure: Label1(0..6) head the weekday columns (Label1(6) is Sunday's), Label3(0..36) are the
// day cells, numbered from IDC_Label30. Plain #defines, because the resource compiler reads this too.

#define IDD_FORMCALENDAR 300

#define IDC_Label2 1500
#define IDC_HScroll1 1501
#define IDC_Label4 1502
#define IDC_HScroll2 1503
#define IDC_Label5 1504
#define IDC_Command1 1505

#define IDC_Label10 1510
#define IDC_Label11 1511
#define IDC_Label12 1512
#define IDC_Label13 1513
#define IDC_Label14 1514
#define IDC_Label15 1515
#define IDC_Label16 1516

#define IDC_Label30 1520
#define IDC_Label31 1521
#define IDC_Label32 1522
#define IDC_Label33 1523
#define IDC_Label34 1524
#define IDC_Label35 1525
#define IDC_Label36 1526
#define IDC_Label37 1527
#define IDC_Label38 1528
#define IDC_Label39 1529
#define IDC_Label310 1530
#define IDC_Label311 1531
#define IDC_Label312 1532
#define IDC_Label313 1533
#define IDC_Label314 1534
#define IDC_Label315 1535
#define IDC_Label316 1536
#define IDC_Label317 1537
#define IDC_Label318 1538
#define IDC_Label319 1539
#define IDC_Label320 1540
#define IDC_Label321 1541
#define IDC_Label322 1542
#define IDC_Label323 1543
#define IDC_Label324 1544
#define IDC_Label325 1545
#define IDC_Label326 1546
#define IDC_Label327 1547
#define IDC_Label328 1548
#define IDC_Label329 1549
#define IDC_Label330 1550
#define IDC_Label331 1551
#define IDC_Label332 1552
#define IDC_Label333 1553
#define IDC_Label334 1554
#define IDC_Label335 1555
#define IDC_Label336 1556
