-- Help tables, in the style of the server's own help script; a comment with a ; semicolon
set names 'utf8mb4';
create table help_topic (id int primary key, name varchar(64), description text, example text);
insert into help_topic values (1,'SELECT','Syntax:\nSELECT a; SELECT b;\n','mysql> SELECT 1;\n-- not a comment; inside a string');
insert into help_topic values (2,'it''s','Use \'quotes\' and "double; quotes"; ok','# not a comment;');
insert into help_topic values (3,'back\\slash;','/* not a comment; */','');
/* a block comment; with semicolons;
   over two lines */
insert into help_topic values (4,'café ; 😀','tab\there;','x');insert into help_topic values (5,"dq;",'',NULL);
insert into `help_topic` (`id`, `name`) values (6, ';');
# a trailing comment;
