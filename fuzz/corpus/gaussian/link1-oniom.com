! comment
%nproc=4
%nproc=4
%nproc=4
%nproc=4
%nproc=4
%nproc=4
%nproc=4
%nproc=4
%nproc=4
#p sp Geom=AllCheck

--Link1--
#p oniom(b3lyp/6-31g:uff) geom=connectivity

oniom

0 1 0 1 0 1 ! layers
 O-O_3  0  3.76 -1.28 0.14 H
 H-H_   0  4.68 -1.33 0.41 H
 C-C_3  0  1.48 -5.66 1.31 L H-H_ 1
 26(Fragment=2) 0 0 0
 Tv 2.4 0 0

 1 2 1.0
 2
 3

