create table log (n int);
DELIMITER $$
create procedure fill(count int)
begin
  declare i int default 0;
  while i < count do
    insert into log values (i); -- one row; per turn
    set i = i + 1;
  end while;
end$$
create function twice(x int) returns int deterministic
begin
  return x * 2;
end $$
delimiter ;
call fill(3);
select twice(21);
