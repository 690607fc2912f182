SELECT DISTINCT a.id, COUNT(*) AS n, concat_ws(',', name, "x") FROM db.orders o
WHERE o.total >= 10.5 AND NOT o.flag OR o.x != 3 && y || z
GROUP BY a.id HAVING n > 1 ORDER BY n DESC LIMIT 10;
