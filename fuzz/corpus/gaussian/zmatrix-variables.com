%chk=a.chk
%mem=1GB
#p opt
#b3lyp/gen

peroxide
second title line

0 1 0 1
O1
O2 O1 roo
X3 2 1.0 1 90.
H4,1,roh,2,aooh,3,-dx,0
H5 O2 roh O1 aooh 4 dhooh
N 1 r 2 a 3 a 1
6(Iso=13) 0 1.0 2.0 3.0
C-CA-0.1 -1 1.0 1.0 1.0 H
Variables:
 roo 1.45
 roh=0.97
 aooh = 100.0
 r 1.1
 a 107

Constants:
 dhooh 120.0
 dx 80.0

--Link1--
%chk=a.chk
#p freq geom=check

freq

0 1

