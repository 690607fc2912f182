update t set a=a+1, b=(b*2)/3, c=c-1 where x<=y and z<>w & 1 | 2;
select 1e10, 0x1F, .5, 3.14, -7, @v, `odd``name`
CASE WHEN x THEN y ELSE z END; DISTINCTROW distincerow nullifif last_insert
