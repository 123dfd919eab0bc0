select    t.ac_code,  ac_name01 = max(t.ac_name01), ac_name02 = max(t.ac_name02)
from      (
select  tt = '01전체합계란', ac_code,  ac_name01 = rtrim(ac_name), ac_name02 = ''
from     test_ac_code
where  code_kubun = 'SSSSS'  and  ac_name not like ('%'+'회사설정계정'+'%')
and a_kubun + b_kubun + c_kubun not in ('40301','40302','40303','40304','40305',
'40401','40402','40403','40404','40501','40502','40503','40701','41001','41301','41501')
and   ac_name  like (:tbac_name)
union   all
select  tt = '02당좌자산', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '10101'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '03재고자산', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '10102'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '04투자자산', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '10201'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '05유형자산', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '10202'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '06무형자산', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '10203'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '07이연자산', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '10204'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '08유동부채', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '20101'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '09고정부채', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '20201'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '10이연부채', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '20301'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '11자본금', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '30101'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '12자본잉여금', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '30201'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '13이익잉여금', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '30301'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '14자본조정', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '30401'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '15손익', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40101'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '16매출액', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40201'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '30영업외수익', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40901'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '32특별이익', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '41201'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
) t
where   t.ac_code  in ('10102001000','10102005000','10102008000','10102017000','10102024000')
group     by t.ac_code
order     by  t.ac_code
