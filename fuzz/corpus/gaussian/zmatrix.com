%chk=x
#P HF

t

0 1
O
H 1 0.96

