select 1 # hash comment ; not a statement
select 2 -- dash comment
select 3 --not a comment
select a-b, c--d, e - f --
/* block
   comment */x
select 4 /* unterminated
