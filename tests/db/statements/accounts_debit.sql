select    t.ac_code,  ac_name01 = max(t.ac_name01), ac_name02 = max(t.ac_name02)
from      (
select  tt = '00전체합계란', ac_code,  ac_name01 = rtrim(ac_name), ac_name02 = ''
from     test_ac_code
where  code_kubun = 'SSSSS'  and  ac_name not like ('%'+'회사설정계정'+'%')
and a_kubun + b_kubun + c_kubun not in ('40201','40901','41201')
and   ac_name  like (:tbac_name)
union   all
select  tt = '01전체합계란', ac_code,  ac_name01 = rtrim(ac_name), ac_name02 = ''
from     test_ac_code
where  code_kubun = 'SSSSS'  and  ac_name not like ('%'+'회사설정계정'+'%')
and a_kubun + b_kubun + c_kubun  in ('40201')
and   ac_name  like (:tbac_name)
and   jan_check  in  ('57')
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
and   jan_check in ('57')
union   all
select  tt = '17매출원가', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40301'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '18제조', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40302'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '19용역', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40303'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '20제품매출원가', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40304'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '21용역매출원가', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40305'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '22제조원가', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40401'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '23부재료비', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40402'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '24노무비', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40403'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '25제조경비', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40404'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '26용역원가', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40501'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '27노무비', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40502'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '28제조경비', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40503'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '29일반관리비', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '40701'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '31영업외비용', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '41001'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '33특별손실', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '41301'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
union   all
select  tt = '34법인세등', ac_code,  ac_name01 = '', ac_name02 = bigo
from     test_ac_code
where  a_kubun + b_kubun + c_kubun = '41501'  and   code_kubun = 'SSSSS'
and   ac_name not like ('%'+'회사설정계정'+'%')
and   ac_name  like (:tbac_name)
) t
group     by t.ac_code
order     by  t.ac_code
