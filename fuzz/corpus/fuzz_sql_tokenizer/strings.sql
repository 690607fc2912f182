insert into `my table` values ('it''s', "say \"hi\"", 'back\\slash', 'semi;colon');
select 'unterminated
string across lines
